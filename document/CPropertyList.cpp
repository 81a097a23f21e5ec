#include "document/CPropertyList.h"

#include <algorithm>

const CPropertyList::Line* CPropertyList::Find(std::uint64_t serial) const {
    const auto it = std::find_if(m_arrLines.begin(), m_arrLines.end(),
                                 [serial](const Line& line) { return line.serial == serial; });
    return it == m_arrLines.end() ? nullptr : &*it;
}

std::string CPropertyList::OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
    return text;
}

void CPropertyList::Changed() {
    ++m_nRevision;
    m_bModified = true;
    if (!m_arrLines.empty())
        m_bHadLines = true;
}

std::uint64_t CPropertyList::Add(EKind kind, std::string text) {
    const std::uint64_t serial = m_nNextSerial++;
    m_arrLines.push_back({serial, kind, OneLine(std::move(text))});
    Changed();
    return serial;
}

bool CPropertyList::Replace(std::uint64_t serial, std::string text) {
    auto* line = const_cast<Line*>(Find(serial));
    text = OneLine(std::move(text));
    if (!line || line->text == text)
        return false;
    line->text = std::move(text);
    Changed();
    return true;
}

bool CPropertyList::Remove(std::uint64_t serial) {
    const auto it = std::find_if(m_arrLines.begin(), m_arrLines.end(),
                                 [serial](const Line& line) { return line.serial == serial; });
    if (it == m_arrLines.end())
        return false;
    m_arrLines.erase(it);
    Changed();
    return true;
}

bool CPropertyList::Move(std::uint64_t serial, int delta) {
    const auto it = std::find_if(m_arrLines.begin(), m_arrLines.end(),
                                 [serial](const Line& line) { return line.serial == serial; });
    if (it == m_arrLines.end() || (delta != -1 && delta != 1))
        return false;
    const auto at = it - m_arrLines.begin();
    const auto to = at + delta;
    if (to < 0 || to >= static_cast<std::ptrdiff_t>(m_arrLines.size()))
        return false;
    std::swap(m_arrLines[static_cast<std::size_t>(at)], m_arrLines[static_cast<std::size_t>(to)]);
    Changed();
    return true;
}

void CPropertyList::Load(const std::vector<Line>& lines) {
    m_arrLines.clear();
    for (const Line& line : lines)
        m_arrLines.push_back({m_nNextSerial++, line.kind, OneLine(line.text)});
    ++m_nRevision;
    m_bModified = false;
    m_bHadLines = !m_arrLines.empty();
    m_strRefusedFile.clear();
    m_strRefusedMessage.clear();
}

void CPropertyList::Reset() {
    Load({});
}

void CPropertyList::MarkSaved() {
    m_bModified = false;
    m_bHadLines = !m_arrLines.empty();
}

void CPropertyList::SetRefused(std::string path, std::string message) {
    m_strRefusedFile = std::move(path);
    m_strRefusedMessage = std::move(message);
}
