#include "CJsonWriter.h"

#include <cmath>
#include <cstdio>

std::string CJsonWriter::Quote(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void CJsonWriter::BeforeValue()
{
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_Levels.empty()) {
        if (m_Levels.back().m_nItems++ > 0)
            m_Text += ',';
        m_Text += '\n';
        m_Text.append(2 * m_Levels.size(), ' ');
    }
}

void CJsonWriter::Close(char c)
{
    const bool bHadItems = m_Levels.back().m_nItems > 0;
    m_Levels.pop_back();
    if (bHadItems) {
        m_Text += '\n';
        m_Text.append(2 * m_Levels.size(), ' ');
    }
    m_Text += c;
    if (m_Levels.empty())
        m_Text += '\n';
}

CJsonWriter& CJsonWriter::BeginObject()
{
    BeforeValue();
    m_Text += '{';
    m_Levels.push_back({false, 0});
    return *this;
}

CJsonWriter& CJsonWriter::EndObject()
{
    Close('}');
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray()
{
    BeforeValue();
    m_Text += '[';
    m_Levels.push_back({true, 0});
    return *this;
}

CJsonWriter& CJsonWriter::EndArray()
{
    Close(']');
    return *this;
}

CJsonWriter& CJsonWriter::Key(const std::string& key)
{
    BeforeValue();
    m_Text += Quote(key) + ": ";
    m_bAfterKey = true;
    return *this;
}

CJsonWriter& CJsonWriter::String(const std::string& value)
{
    BeforeValue();
    m_Text += Quote(value);
    return *this;
}

CJsonWriter& CJsonWriter::Number(double value)
{
    if (!std::isfinite(value))
        return Null();
    BeforeValue();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    m_Text += buf;
    return *this;
}

CJsonWriter& CJsonWriter::Integer(long long value)
{
    BeforeValue();
    m_Text += std::to_string(value);
    return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value)
{
    BeforeValue();
    m_Text += value ? "true" : "false";
    return *this;
}

CJsonWriter& CJsonWriter::Null()
{
    BeforeValue();
    m_Text += "null";
    return *this;
}
