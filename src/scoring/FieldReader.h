#pragma once
// Reads the comma- or line-separated fields and whole header lines of the scoring data files, keeping the line number
// so that a problem can be reported where it is.

#include <QByteArrayView>
#include <QString>

class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_p(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    // The next field: blanks around it are dropped, a field in double quotes keeps what is between them, line ends
    // before a field (blank lines, a comma at the end of a line) are passed over. False at the end of the file.
    bool field(QString& out);
    // The rest of the current line when a field left text on it, else the next whole line. False at the end of the
    // file.
    bool wholeLine(QString& out);
    // The line the last field or line was read from.
    int line() const { return m_lastLine; }
    // The line the next read would start on.
    int nextLine() const { return m_line; }

private:
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    void consumeLineEnd();

    const char* m_p;
    const char* m_end;
    int m_line = 1;
    int m_lastLine = 1;
    bool m_atLineStart = true;
};
