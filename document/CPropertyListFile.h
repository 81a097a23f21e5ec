#pragma once

#include "base/CFileResult.h"
#include "document/CPropertyList.h"

#include <string>
#include <vector>

// The companion file that keeps a document's property list beside it ("net.zrn" ->
// "net.zrn.properties"), so that the document's own file stays as it was: a document
// without properties has none, and an older program opens the document as before. A
// UTF-8 text, one property a line after a heading that says its format:
//
//   zerin-properties 1
//   # The properties of net.zrn, one a line: formula TEXT or examination NAME.
//   examination ReachabilityDeadlock
//   formula EF (eat_0 & eat_2)
//
// Blank lines and lines beginning with '#' are passed over. A file of a later format is
// refused, as is one that is not a property list or has a line of another kind, with a
// message that names the file and the reason.
class CPropertyListFile {
public:
    // The format this program writes and the latest it reads.
    static constexpr int kFormat = 1;
    static constexpr const char* kHeading = "zerin-properties";

    // The companion of the document's file.
    static std::string CompanionOf(const std::string& documentPath);

    // The lines of the text, or the fault ("line 3: ..."), file names left out.
    static bool Parse(const std::string& text, std::vector<CPropertyList::Line>& lines,
                      std::string& fault);
    // The text of the lines, the document's name in its comment.
    static std::string Text(const std::vector<CPropertyList::Line>& lines,
                            const std::string& documentName);

    // The companion of the document read into the list. No companion: the list empty,
    // and success. A companion that cannot be taken: the list empty, the file and the
    // message kept as refused (CPropertyList::RefusedFile), and the failure.
    static CFileResult Load(CPropertyList& list, const std::string& documentPath);
    // The list into the companion of the document: written when it has lines, removed
    // when the user emptied the list, otherwise left as it is (a document that never had
    // properties writes nothing). A companion refused when it was read is kept aside as
    // "<companion>.bak" before it is written over. Saved, the list is not modified.
    static CFileResult Save(CPropertyList& list, const std::string& documentPath);
};
