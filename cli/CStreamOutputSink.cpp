#include "cli/CStreamOutputSink.h"

void CStreamOutputSink::AppendLine(int, const std::string& text) {
    m_out << text << '\n';
}
