#include "platform/CPnmlReader.h"

#include "platform/CLayeredLayout.h"

#include "base/FileIO.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <filesystem>
#include <functional>

namespace {

using Kind = CPnmlNet::NodeKind;

std::string Std(QStringView text) {
    return text.toString().toStdString();
}

// A number written in an attribute, blanks around it allowed.
std::optional<double> Number(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The reading of one document: a cursor over the stream that keeps the depth.
class Parser {
public:
    Parser(const QByteArray& data, std::vector<CPnmlNet>& nets) : m_xml(data), m_nets(nets) {}

    std::string Run() {
        if (!NextStart())
            return Error(m_xml.hasError() ? Std(m_xml.errorString()) : "it holds no element");
        if (m_xml.name() != u"pnml")
            return Error("it is not a PNML file (its root element is <" + Std(m_xml.name()) + ">)");
        const int depth = m_depth;
        while (NextChild(depth)) {
            if (m_xml.name() == u"net") {
                m_nets.emplace_back();
                CPnmlNet& net = m_nets.back();
                net.id = Std(m_xml.attributes().value("id"));
                net.type = Std(m_xml.attributes().value("type"));
                Container(net, "", 0);
            } else
                Skip();
        }
        if (m_xml.hasError())
            return Error(Std(m_xml.errorString()));
        return {};
    }

private:
    std::string Error(const std::string& reason) {
        if (m_xml.lineNumber() > 0 && m_xml.hasError())
            return "line " + std::to_string(m_xml.lineNumber()) + ": " + reason;
        return reason;
    }

    // The next token; false at the end or on an error.
    bool Next() {
        if (m_xml.atEnd() || m_xml.hasError())
            return false;
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::StartElement && ++m_depth > CPnmlReader::kMaxDepth)
            m_xml.raiseError(QStringLiteral("the elements are nested deeper than %1")
                                 .arg(CPnmlReader::kMaxDepth));
        if (token == QXmlStreamReader::EndElement)
            --m_depth;
        // An entity the document does not define itself would have to be fetched.
        if (token == QXmlStreamReader::DTD)
            for (const auto& entity : m_xml.entityDeclarations())
                if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                    m_xml.raiseError(QStringLiteral("the entity '%1' is defined outside the "
                                                    "file, which is not read")
                                         .arg(entity.name()));
        if (token == QXmlStreamReader::EntityReference)
            m_xml.raiseError(QStringLiteral("the entity '%1' is defined outside the file, "
                                            "which is not read")
                                 .arg(m_xml.name()));
        return !m_xml.hasError() && token != QXmlStreamReader::Invalid;
    }
    bool NextStart() {
        while (Next())
            if (m_xml.isStartElement())
                return true;
        return false;
    }
    // The next child element of the element opened at the depth; false at its end.
    bool NextChild(int depth) {
        while (Next()) {
            if (m_xml.isStartElement())
                return true;
            if (m_xml.isEndElement() && m_depth < depth)
                return false;
        }
        return false;
    }
    // Past the end of the current element.
    void Skip() {
        const int depth = m_depth;
        while (NextChild(depth))
            Skip();
    }
    // The text of a label: its <text> or <value> child, else its own text.
    std::string LabelText(std::optional<CPnmlNet::Point>* offset = nullptr) {
        const int depth = m_depth;
        std::string text;
        while (NextChild(depth)) {
            const auto name = m_xml.name();
            if (name == u"text" || name == u"value") {
                text = ElementText();
            } else if (name == u"graphics" && offset) {
                const int inner = m_depth;
                while (NextChild(inner)) {
                    if (m_xml.name() == u"offset")
                        *offset = Point();
                    Skip();
                }
            } else
                Skip();
        }
        return text;
    }
    std::string ElementText() {
        QString text;
        const int depth = m_depth;
        while (Next()) {
            if (m_xml.isCharacters())
                text += m_xml.text();
            else if (m_xml.isEndElement() && m_depth < depth)
                break;
        }
        return text.toStdString();
    }
    // The x and y of the current element (missing ones are 0).
    CPnmlNet::Point Point() {
        const auto attributes = m_xml.attributes();
        return {Number(attributes.value("x")).value_or(0),
                Number(attributes.value("y")).value_or(0)};
    }

    // A net or page: its nodes and arcs, nested pages and nets flattened. Ids of a net
    // nested in a page are its own: they are kept apart by the prefix.
    void Container(CPnmlNet& net, const std::string& prefix, int page) {
        const int depth = m_depth;
        int nested = 0;
        while (NextChild(depth)) {
            const auto name = m_xml.name();
            if (name == u"page")
                Container(net, prefix, ++m_nPages);
            else if (name == u"net")
                Container(net,
                          prefix + Std(m_xml.attributes().value("id")) + "#" +
                              std::to_string(++nested) + "/",
                          page);
            else if (name == u"place")
                Node(net, prefix, Kind::Place, page);
            else if (name == u"transition")
                Node(net, prefix, Kind::Transition, page);
            else if (name == u"referencePlace")
                Node(net, prefix, Kind::ReferencePlace, page);
            else if (name == u"referenceTransition")
                Node(net, prefix, Kind::ReferenceTransition, page);
            else if (name == u"arc")
                Arc(net, prefix, page);
            else {
                if (name == u"declaration" || name == u"declarations")
                    net.highLevel = true;
                Skip();
            }
        }
    }

    void Node(CPnmlNet& net, const std::string& prefix, Kind kind, int page) {
        CPnmlNet::Node node;
        node.kind = kind;
        node.page = page;
        node.line = m_xml.lineNumber();
        const auto attributes = m_xml.attributes();
        node.id = prefix + Std(attributes.value("id"));
        if (kind == Kind::ReferencePlace || kind == Kind::ReferenceTransition)
            node.ref = prefix + Std(attributes.value("ref"));
        const int depth = m_depth;
        while (NextChild(depth)) {
            const auto name = m_xml.name();
            if (name == u"name") {
                node.name = LabelText(&node.nameOffset);
            } else if (name == u"initialMarking") {
                node.marking = LabelText();
            } else if (name == u"graphics") {
                const int inner = m_depth;
                while (NextChild(inner)) {
                    if (m_xml.name() == u"position")
                        node.position = Point();
                    Skip();
                }
            } else {
                if (name == u"hlinitialMarking" || name == u"type")
                    net.highLevel = true;
                Skip();
            }
        }
        net.nodes.push_back(std::move(node));
    }

    void Arc(CPnmlNet& net, const std::string& prefix, int page) {
        CPnmlNet::Arc arc;
        arc.page = page;
        arc.line = m_xml.lineNumber();
        const auto attributes = m_xml.attributes();
        arc.id = Std(attributes.value("id"));
        arc.source = prefix + Std(attributes.value("source"));
        arc.target = prefix + Std(attributes.value("target"));
        arc.kind = Std(attributes.value("type"));
        bool path = false;
        const int depth = m_depth;
        while (NextChild(depth)) {
            const auto name = m_xml.name();
            if (name == u"graphics") {
                const int inner = m_depth;
                while (NextChild(inner)) {
                    if (m_xml.name() == u"position" && !path)
                        arc.bends.push_back(Point());
                    Skip();
                }
            } else if (name == u"arcpath") {
                // Older files list the route's points, its ends included.
                if (!path)
                    arc.bends.clear();
                path = true;
                arc.bends.push_back(Point());
                Skip();
            } else if (name == u"inscription") {
                arc.inscription = LabelText();
            } else if (name == u"type") {
                const auto value = m_xml.attributes().value("value");
                arc.kind = value.isEmpty() ? LabelText() : Std(value);
                if (!value.isEmpty())
                    Skip();
            } else if (name == u"arctype") {
                arc.kind = LabelText();
            } else {
                if (name == u"hlinscription")
                    net.highLevel = true;
                Skip();
            }
        }
        // Of an <arcpath> list the first and last points are the ends.
        if (path) {
            arc.bends.erase(arc.bends.begin());
            if (!arc.bends.empty())
                arc.bends.pop_back();
        }
        net.arcs.push_back(std::move(arc));
    }

    QXmlStreamReader m_xml;
    std::vector<CPnmlNet>& m_nets;
    int m_depth = 0;
    // The pages met so far, which numbers the next.
    int m_nPages = 0;
};

// Declarations of a code page Qt does not decode but UTF-8 reads the same: ASCII.
QByteArray ReadableEncoding(QByteArray data) {
    const qsizetype end = data.indexOf("?>");
    if (!data.startsWith("<?xml") || end < 0 || end > 400)
        return data;
    static const QRegularExpression ascii(QStringLiteral(R"(encoding\s*=\s*["'](us-)?ascii["'])"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString declaration = QString::fromLatin1(data.left(end));
    const auto match = ascii.match(declaration);
    if (match.hasMatch())
        data.replace(match.capturedStart(), match.capturedLength(), "encoding=\"UTF-8\"");
    return data;
}

std::string TooLarge(const std::string& name) {
    return name + ": the file is larger than " + std::to_string(CPnmlReader::kMaxBytes >> 20) +
           " MB, far more than a condition/event net needs";
}

} // namespace

bool CPnmlReader::ReadFile(const std::string& path) {
    m_nets.clear();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > static_cast<std::uintmax_t>(kMaxBytes)) {
        m_strError = TooLarge(path);
        return false;
    }
    std::string bytes;
    const CFileResult read = ReadWholeFile(path, bytes);
    if (!read) {
        m_strError = read.error;
        return false;
    }
    return Read(bytes, path);
}

bool CPnmlReader::Read(const std::string& bytes, const std::string& name) {
    m_nets.clear();
    m_strName = name;
    if (static_cast<long long>(bytes.size()) > kMaxBytes) {
        m_strError = TooLarge(name);
        return false;
    }
    const QByteArray data = ReadableEncoding(QByteArray::fromStdString(bytes));
    const std::string error = Parser(data, m_nets).Run();
    if (!error.empty()) {
        m_nets.clear();
        m_strError = name + ": " + error;
        return false;
    }
    if (m_nets.empty()) {
        m_strError = name + ": the file holds no net";
        return false;
    }
    return true;
}

CFileResult CPnmlReader::Import(const std::string& path, const std::optional<std::string>& netId,
                                int gridSize, CNetDesign& design, CDC& dc,
                                const CPnmlImport::NewName& newName, bool* notCENet) {
    if (notCENet)
        *notCENet = false;
    CPnmlReader reader;
    if (!reader.ReadFile(path))
        return CFileResult::Failure(reader.Error());
    return reader.ImportNet(netId, gridSize, design, dc, newName, notCENet);
}

CFileResult CPnmlReader::ImportStructure(const std::string& path,
                                         const std::optional<std::string>& netId,
                                         CNetStructure& net, bool* notCENet) {
    if (notCENet)
        *notCENet = false;
    CPnmlReader reader;
    if (!reader.ReadFile(path))
        return CFileResult::Failure(reader.Error());
    const CPnmlNet* pnml = reader.Select(netId);
    if (!pnml)
        return CFileResult::Failure(reader.Error());
    CPnmlImport import(*pnml, 10);
    if (!import.BuildStructure(net)) {
        if (notCENet)
            *notCENet = true;
        return CFileResult::Failure(reader.m_strName + ": " + import.Error());
    }
    return CFileResult::Success();
}

CFileResult CPnmlReader::ImportNet(const std::optional<std::string>& netId, int gridSize,
                                   CNetDesign& design, CDC& dc, const CPnmlImport::NewName& newName,
                                   bool* notCENet) {
    if (notCENet)
        *notCENet = false;
    const CPnmlNet* net = Select(netId);
    if (!net)
        return CFileResult::Failure(m_strError);
    CPnmlImport import(*net, gridSize);
    import.SetLayeredLayout([](int nodes, const std::vector<std::pair<int, int>>& edges) {
        return CLayeredLayout::Layout(nodes, edges);
});
if (!import.Build(design, dc, newName)) {
    if (notCENet)
        *notCENet = true;
    return CFileResult::Failure(m_strName + ": " + import.Error());
}
return CFileResult::Success();
}

const CPnmlNet* CPnmlReader::Select(const std::optional<std::string>& netId) {
    if (netId) {
        for (const CPnmlNet& net : m_nets)
            if (net.id == *netId)
                return &net;
        m_strError = m_strName + ": the file has no net with the id '" + *netId + "'";
        return nullptr;
    }
    if (m_nets.size() == 1)
        return &m_nets.front();
    std::string ids;
    for (const CPnmlNet& net : m_nets)
        ids += (ids.empty() ? "'" : ", '") + net.id + "'";
    m_strError = m_strName + ": the file holds " + std::to_string(m_nets.size()) + " nets (" + ids +
                 "); choose one by its id";
    return nullptr;
}
