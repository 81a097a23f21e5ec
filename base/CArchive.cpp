#include "base/CArchive.h"

#include "base/CodePage1250.h"

#include <limits>
#include <stdexcept>

namespace {

using Cause = CArchiveException::Cause;

// The 16-bit tags of object references.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kBigTag = 0x7FFF;      // a 32-bit tag follows
constexpr std::uint16_t kClassTag = 0x8000;    // or'ed with a class index
constexpr std::uint16_t kNewClassTag = 0xFFFF; // schema, name length and name follow
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kSchema = 0x0001;

// String length prefixes.
constexpr std::uint8_t kByteLengthLimit = 0xFF;
constexpr std::uint16_t kWordLengthLimit = 0xFFFE;
constexpr std::uint16_t kDWordLengthMark = 0xFFFF;

// A count of 0xFFFF or more is marked by 0xFFFF and stored in 32 bits.
constexpr std::uint16_t kDWordCountMark = 0xFFFF;

} // namespace

CArchive::CArchive() : m_bLoading(false) {}

CArchive::CArchive(std::vector<std::uint8_t> bytes, const CClassRegistry& registry)
    : m_bLoading(true), m_buffer(std::move(bytes)), m_pRegistry(&registry) {
    m_arrTable.emplace_back(); // index 0: null
}

void CArchive::RequireStoring() const {
    if (m_bLoading)
        throw std::logic_error("writing to an archive that loads");
}

void CArchive::RequireLoading() const {
    if (!m_bLoading)
        throw std::logic_error("reading from an archive that stores");
}

void CArchive::Put(std::uint32_t value, int bytes) {
    RequireStoring();
    for (int i = 0; i < bytes; ++i)
        m_buffer.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t CArchive::Get(int bytes) {
    RequireLoading();
    Need(static_cast<std::size_t>(bytes));
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(m_buffer[m_nPos++]) << (8 * i);
    return value;
}

void CArchive::Need(std::size_t bytes) const {
    if (bytes > GetBytesLeft())
        throw CArchiveException(Cause::EndOfFile);
}

void CArchive::WriteInt32(std::int32_t value) {
    Put(static_cast<std::uint32_t>(value), 4);
}
void CArchive::WriteUInt32(std::uint32_t value) {
    Put(value, 4);
}
void CArchive::WriteBool32(bool value) {
    Put(value ? 1 : 0, 4);
}
void CArchive::WriteByte(std::uint8_t value) {
    Put(value, 1);
}
void CArchive::WriteWord(std::uint16_t value) {
    Put(value, 2);
}

void CArchive::WritePoint(CPoint pt) {
    WriteInt32(pt.x);
    WriteInt32(pt.y);
}

void CArchive::WriteRect(const CRect& rc) {
    WriteInt32(rc.left);
    WriteInt32(rc.top);
    WriteInt32(rc.right);
    WriteInt32(rc.bottom);
}

void CArchive::WriteSize(CSize size) {
    WriteInt32(size.cx);
    WriteInt32(size.cy);
}

void CArchive::WriteString(std::string_view utf8) {
    RequireStoring();
    std::string bytes = CodePage1250::FromUtf8(utf8);
    std::size_t length = bytes.size();
    if (length < kByteLengthLimit) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kWordLengthLimit) {
        WriteByte(kByteLengthLimit);
        WriteWord(static_cast<std::uint16_t>(length));
    } else {
        if (length > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("string too long for the archive");
        WriteByte(kByteLengthLimit);
        WriteWord(kDWordLengthMark);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void CArchive::WriteCount(std::size_t count) {
    if (count < kDWordCountMark) {
        WriteWord(static_cast<std::uint16_t>(count));
        return;
    }
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("count too large for the archive");
    WriteWord(kDWordCountMark);
    WriteUInt32(static_cast<std::uint32_t>(count));
}

void CArchive::WriteInt32Count(std::size_t count) {
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("count too large for the archive");
    WriteInt32(static_cast<std::int32_t>(count));
}

void CArchive::WritePointArray(std::span<const CPoint> points) {
    WriteCount(points.size());
    for (CPoint pt : points)
        WritePoint(pt);
}

std::uint32_t CArchive::TakeIndex() {
    if (m_nNextIndex >= kMaxTableEntries)
        throw CArchiveException(Cause::BadIndex, "too many objects");
    return m_nNextIndex++;
}

void CArchive::WriteIndexTag(std::uint32_t index) {
    if (index < kBigTag) {
        WriteWord(static_cast<std::uint16_t>(index));
    } else {
        WriteWord(kBigTag);
        WriteUInt32(index);
    }
}

void CArchive::WriteClassTag(std::uint32_t classIndex) {
    if (classIndex < kBigTag) {
        WriteWord(static_cast<std::uint16_t>(kClassTag | classIndex));
    } else {
        WriteWord(kBigTag);
        WriteUInt32(kBigClassTag | classIndex);
    }
}

CArchive::CNestingGuard::CNestingGuard(CArchive& ar) : m_ar(ar) {
    if (m_ar.m_nNesting >= kMaxNesting)
        throw CArchiveException(Cause::Generic, "objects nested too deeply");
    ++m_ar.m_nNesting;
}

void CArchive::WriteObject(const CObject* object) {
    RequireStoring();
    if (!object) {
        WriteWord(kNullTag);
        return;
    }
    if (auto it = m_mapObjects.find(object); it != m_mapObjects.end()) {
        WriteIndexTag(it->second);
        return;
    }
    CNestingGuard guard(*this);
    std::string_view name = object->GetClassName();
    if (auto it = m_mapClasses.find(name); it != m_mapClasses.end()) {
        WriteClassTag(it->second);
    } else {
        if (name.size() > std::numeric_limits<std::uint16_t>::max())
            throw std::length_error("class name too long for the archive");
        std::uint32_t classIndex = TakeIndex();
        m_mapClasses.emplace(name, classIndex);
        WriteWord(kNewClassTag);
        WriteWord(kSchema);
        WriteWord(static_cast<std::uint16_t>(name.size()));
        m_buffer.insert(m_buffer.end(), name.begin(), name.end());
    }
    m_mapObjects.emplace(object, TakeIndex());
    // Storing leaves the object as it is; Serialize serves both directions.
    const_cast<CObject*>(object)->Serialize(*this);
}

std::uint32_t CArchive::IndexOf(const CObject* object) const {
    const auto it = m_mapObjects.find(object);
    return it == m_mapObjects.end() ? 0 : it->second;
}

void CArchive::WriteReference(std::uint32_t index) {
    RequireStoring();
    if (index == 0 || index >= m_nNextIndex)
        throw std::invalid_argument("reference to an object not written");
    WriteIndexTag(index);
}

void CArchive::Forget(const CObject* object) {
    m_mapObjects.erase(object);
}

std::int32_t CArchive::ReadInt32() {
    return static_cast<std::int32_t>(Get(4));
}
std::uint32_t CArchive::ReadUInt32() {
    return Get(4);
}
bool CArchive::ReadBool32() {
    return Get(4) != 0;
}
bool CArchive::ReadBool32EqualsOne() {
    return Get(4) == 1;
}
std::uint8_t CArchive::ReadByte() {
    return static_cast<std::uint8_t>(Get(1));
}
std::uint16_t CArchive::ReadWord() {
    return static_cast<std::uint16_t>(Get(2));
}

CPoint CArchive::ReadPoint() {
    int x = ReadInt32();
    int y = ReadInt32();
    return {x, y};
}

CRect CArchive::ReadRect() {
    int left = ReadInt32();
    int top = ReadInt32();
    int right = ReadInt32();
    int bottom = ReadInt32();
    return {left, top, right, bottom};
}

CSize CArchive::ReadSize() {
    int cx = ReadInt32();
    int cy = ReadInt32();
    return {cx, cy};
}

std::string CArchive::ReadString() {
    std::size_t length = ReadByte();
    if (length == kByteLengthLimit) {
        length = ReadWord();
        if (length == kDWordLengthMark)
            length = ReadUInt32();
        else if (length == kWordLengthLimit)
            // The mark of a wide-character string, which this file never holds.
            throw CArchiveException(Cause::Generic, "wide-character string");
    }
    Need(length);
    auto first = m_buffer.begin() + static_cast<std::ptrdiff_t>(m_nPos);
    std::string bytes(first, first + static_cast<std::ptrdiff_t>(length));
    m_nPos += length;
    return CodePage1250::ToUtf8(bytes);
}

void CArchive::CheckCount(std::size_t count, std::size_t minBytesPerEntry) const {
    if (minBytesPerEntry == 0)
        minBytesPerEntry = 1;
    if (count > GetBytesLeft() / minBytesPerEntry)
        throw CArchiveException(Cause::CountTooLarge);
}

std::size_t CArchive::ReadCount(std::size_t minBytesPerEntry) {
    std::size_t count = ReadWord();
    if (count == kDWordCountMark)
        count = ReadUInt32();
    CheckCount(count, minBytesPerEntry);
    return count;
}

std::size_t CArchive::ReadInt32Count(std::size_t minBytesPerEntry) {
    std::int32_t count = ReadInt32();
    if (count < 0)
        throw CArchiveException(Cause::CountTooLarge, "negative count");
    CheckCount(static_cast<std::size_t>(count), minBytesPerEntry);
    return static_cast<std::size_t>(count);
}

void CArchive::Skip(std::size_t bytes) {
    RequireLoading();
    Need(bytes);
    m_nPos += bytes;
}

std::vector<CPoint> CArchive::ReadPointArray() {
    std::size_t count = ReadCount(8);
    std::vector<CPoint> points;
    points.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        points.push_back(ReadPoint());
    return points;
}

CObject* CArchive::ReadObjectWith(AcceptFunction accept) {
    std::uint16_t wordTag = ReadWord();
    if (wordTag == kNewClassTag) {
        ReadWord(); // the schema; every stored schema is accepted
        std::size_t length = ReadWord();
        Need(length);
        std::string_view name(reinterpret_cast<const char*>(m_buffer.data()) + m_nPos, length);
        m_nPos += length;
        const CClassRegistry::Factory* factory = m_pRegistry->Find(name);
        if (!factory)
            throw CArchiveException(Cause::BadClass, "unknown class " + std::string(name));
        TakeIndex();
        m_arrTable.push_back({nullptr, factory});
        return ReadNewObject(*factory, accept);
    }

    std::uint32_t tag =
        wordTag == kBigTag
            ? ReadUInt32()
            : (static_cast<std::uint32_t>(wordTag & kClassTag) << 16) | (wordTag & 0x7FFFu);
    if (tag & kBigClassTag) {
        std::uint32_t classIndex = tag & ~kBigClassTag;
        if (classIndex >= m_arrTable.size() || !m_arrTable[classIndex].pFactory)
            throw CArchiveException(Cause::BadIndex, "no class at this index");
        return ReadNewObject(*m_arrTable[classIndex].pFactory, accept);
    }
    if (tag == 0)
        return nullptr;
    if (tag >= m_arrTable.size() || !m_arrTable[tag].pObject)
        throw CArchiveException(Cause::BadIndex, "no object at this index");
    CObject* object = m_arrTable[tag].pObject;
    if (!accept(object))
        throw CArchiveException(Cause::BadClass,
                                std::string("unexpected class ") + object->GetClassName());
    return object;
}

CObject* CArchive::ReadNewObject(const CClassRegistry::Factory& factory, AcceptFunction accept) {
    CNestingGuard guard(*this);
    std::unique_ptr<CObject> created = factory();
    if (!created)
        throw CArchiveException(Cause::BadClass, "class cannot be created");
    // Rejected before it is entered anywhere, so it is never handed out.
    if (!accept(created.get()))
        throw CArchiveException(Cause::BadClass,
                                std::string("unexpected class ") + created->GetClassName());
    TakeIndex();
    m_arrLoaded.push_back(created.get());
    CObject* object = created.release();
    // The index is taken before the record is read, so the record may refer to it.
    m_arrTable.push_back({object, nullptr});
    object->Serialize(*this);
    return object;
}
