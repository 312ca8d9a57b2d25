#pragma once
// A small streaming JSON writer for the --json outputs: objects, arrays, strings, numbers and
// booleans, indented two spaces. Misuse (a value where a key is due) is a programming error.

#include <string>
#include <vector>

class CJsonWriter {
public:
    CJsonWriter& BeginObject();
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray();
    CJsonWriter& EndArray();
    CJsonWriter& Key(const std::string& key);
    CJsonWriter& String(const std::string& value);
    CJsonWriter& Number(double value);  // non-finite numbers are written as null
    CJsonWriter& Integer(long long value);
    CJsonWriter& Bool(bool value);
    CJsonWriter& Null();

    // The document so far, ending in a newline once the outermost value is closed.
    const std::string& Text() const { return m_Text; }

    static std::string Quote(const std::string& text);

private:
    void BeforeValue();
    void Close(char c);

    std::string m_Text;
    struct SLevel {
        bool m_bArray;
        size_t m_nItems;
    };
    std::vector<SLevel> m_Levels;
    bool m_bAfterKey = false;
};
