#pragma once

#include "base/CArchiveException.h"
#include "base/CClassRegistry.h"
#include "base/CObject.h"
#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <ranges>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The object archive of the document file: little-endian values without padding,
// strings in Windows-1250, and object references that store every object once, with its
// class name the first time the class appears and as a back-reference afterwards, so that
// shared objects come back shared.
//
// An archive either stores into a byte buffer (GetBuffer) or loads from one. Loading
// trusts nothing: every premature end, bad reference, unknown or unexpected class, and
// every count or length that cannot fit in the bytes left throws CArchiveException before
// anything is allocated for it. Calling a function of the other direction is a
// programming error (std::logic_error).
//
// Ownership while loading: an object the archive creates belongs to whatever it is
// attached to (a container, or the object whose record referred to it). When loading
// throws halfway, some of the created objects are attached nowhere yet. The archive
// never deletes an object it handed out; GetLoadedObjects lists each of them once, in
// creation order, so that after a failure the caller can delete exactly those that
// nothing owns (for example: detach everything the containers received during the load
// without deleting it, then delete every object of the list). An object rejected by the
// class check is deleted at once and never listed.
class CArchive {
public:
    // The reference table's limit, index 0 (null) included.
    static constexpr std::uint32_t kMaxTableEntries = 0x3FFFFFFE;
    // How deep the records of new objects may nest inside one another. The document's
    // records nest a few levels only; the limit keeps a crafted file from exhausting the
    // stack, and storing keeps to it too so that every stored file can be loaded again.
    static constexpr int kMaxNesting = 256;

    // An archive that stores.
    CArchive();
    // An archive that loads the given bytes, creating objects through the registry,
    // which must outlive the archive.
    CArchive(std::vector<std::uint8_t> bytes, const CClassRegistry& registry);
    CArchive(std::vector<std::uint8_t> bytes, const CClassRegistry&& registry) = delete;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return !m_bLoading; }
    // The bytes stored so far (storing), or the bytes being loaded.
    const std::vector<std::uint8_t>& GetBuffer() const { return m_buffer; }
    // Loading: the offset of the next byte to read and the bytes after it.
    std::size_t GetBytesLeft() const { return m_buffer.size() - m_nPos; }

    // Storing.
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteBool32(bool value); // 0 or 1
    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WritePoint(CPoint pt);
    void WriteRect(const CRect& rc);
    void WriteSize(CSize size);
    // The UTF-8 text in Windows-1250, '?' for a character the code page lacks; the length
    // prefix counts the stored bytes.
    void WriteString(std::string_view utf8);
    // A 16-bit count, or 0xFFFF and a 32-bit count.
    void WriteCount(std::size_t count);
    // A count stored as int32 (the member count of a set).
    void WriteInt32Count(std::size_t count);
    // Null, a back-reference, or the object's class tag followed by its record.
    void WriteObject(const CObject* object);
    // The index an object was written under, 0 for one not written.
    std::uint32_t IndexOf(const CObject* object) const;
    // A back-reference to the object written under the index.
    void WriteReference(std::uint32_t index);
    // Forgets a written object, so that its address may serve another (a scratch
    // object written for several records); references to it go by WriteReference.
    void Forget(const CObject* object);
    // Count, then one reference per entry (an object list or an object array); null and
    // repeated entries are refused (std::invalid_argument), as the reader refuses them.
    template <class Range> void WriteObjectList(const Range& objects);
    // Count, then the points.
    void WritePointArray(std::span<const CPoint> points);

    // Loading; each throws CArchiveException when the bytes do not hold the value.
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    bool ReadBool32();          // true when non-zero
    bool ReadBool32EqualsOne(); // true only when it is exactly 1
    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    CPoint ReadPoint();
    CRect ReadRect();
    CSize ReadSize();
    // The stored Windows-1250 text as UTF-8.
    std::string ReadString();
    // A count whose entries take at least minBytesPerEntry bytes each (at least 1 is
    // assumed); a count that could not fit in the bytes left is refused.
    std::size_t ReadCount(std::size_t minBytesPerEntry);
    // A count stored as int32, checked the same way; negative counts are refused.
    std::size_t ReadInt32Count(std::size_t minBytesPerEntry);
    // Passes over reserved bytes.
    void Skip(std::size_t bytes);
    // A reference to an object of class T or of a class derived from T, or null. A new
    // object is created by its class name, entered in the table and then reads its
    // record, so that the record may refer back to it.
    template <class T = CObject> T* ReadObject();
    // Reads an object list or array stored by WriteObjectList and appends its entries to
    // the container one by one as they are read, so that each is owned as soon as it
    // exists. Null entries and entries listed twice are refused: no container of the
    // document holds them.
    template <class T, class Container> void ReadObjectList(Container& objects);
    std::vector<CPoint> ReadPointArray();

    // Every object this archive created, in creation order (see the class comment).
    const std::vector<CObject*>& GetLoadedObjects() const { return m_arrLoaded; }

private:
    using AcceptFunction = bool (*)(const CObject*);

    // One entry of the loading table: a class (with its factory) or an object.
    struct LoadEntry {
        CObject* pObject = nullptr;
        const CClassRegistry::Factory* pFactory = nullptr;
    };

    void RequireStoring() const;
    void RequireLoading() const;
    void Put(std::uint32_t value, int bytes);
    std::uint32_t Get(int bytes);
    void Need(std::size_t bytes) const;
    void CheckCount(std::size_t count, std::size_t minBytesPerEntry) const;
    std::uint32_t TakeIndex();
    void WriteIndexTag(std::uint32_t index);
    void WriteClassTag(std::uint32_t classIndex);
    CObject* ReadObjectWith(AcceptFunction accept);
    CObject* ReadNewObject(const CClassRegistry::Factory& factory, AcceptFunction accept);

    // Counts the nesting of records while one is written or read.
    class CNestingGuard {
    public:
        explicit CNestingGuard(CArchive& ar);
        ~CNestingGuard() { --m_ar.m_nNesting; }
        CNestingGuard(const CNestingGuard&) = delete;
        CNestingGuard& operator=(const CNestingGuard&) = delete;

    private:
        CArchive& m_ar;
    };

    bool m_bLoading;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_nPos = 0;
    const CClassRegistry* m_pRegistry = nullptr;
    std::uint32_t m_nNextIndex = 1;
    int m_nNesting = 0;
    // Storing: the indices of the objects and classes written so far.
    std::unordered_map<const CObject*, std::uint32_t> m_mapObjects;
    std::map<std::string, std::uint32_t, std::less<>> m_mapClasses;
    // Loading: the table by index, and the objects created.
    std::vector<LoadEntry> m_arrTable;
    std::vector<CObject*> m_arrLoaded;
};

template <class Range> void CArchive::WriteObjectList(const Range& objects) {
    // The reader refuses null and repeated entries; a list holding them is a fault of the
    // caller, which must not become a file that cannot be opened.
    std::unordered_set<const CObject*> seen;
    for (const CObject* object : objects)
        if (!object || !seen.insert(object).second)
            throw std::invalid_argument("object list with a null or repeated entry");
    WriteCount(static_cast<std::size_t>(std::ranges::size(objects)));
    for (const CObject* object : objects)
        WriteObject(object);
}

template <class T> T* CArchive::ReadObject() {
    CObject* object =
        ReadObjectWith([](const CObject* p) { return dynamic_cast<const T*>(p) != nullptr; });
    return dynamic_cast<T*>(object);
}

template <class T, class Container> void CArchive::ReadObjectList(Container& objects) {
    // Every reference takes at least its 16-bit tag.
    std::size_t count = ReadCount(2);
    std::unordered_set<const CObject*> seen;
    for (std::size_t i = 0; i < count; ++i) {
        T* object = ReadObject<T>();
        if (!object)
            throw CArchiveException(CArchiveException::Cause::BadIndex, "null list entry");
        if (!seen.insert(object).second)
            throw CArchiveException(CArchiveException::Cause::InconsistentStructure,
                                    "object listed twice");
        objects.push_back(object);
    }
}
