#include "platform/TextTables.h"

#include "platform/VbError.h"


namespace vb {

namespace {

// 0x80..0x9F of Windows-1252; the unassigned codes keep the C1 control.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Positions 0x20..0x7E of the Symbol font (0 = the character itself).
const char16_t kSymbolLow[95] = {
    0,      0,      0x2200, 0,      0x2203, 0,      0,      0x220B, 0,      0,      // 20-29
    0x2217, 0,      0,      0x2212, 0,      0,      0,      0,      0,      0,      // 2A-33
    0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      // 34-3D
    0,      0,      0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, // 3E-47
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, // 48-51
    0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0,      // 52-5B
    0x2234, 0,      0x22A5, 0,      0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, // 5C-65
    0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, // 66-6F
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, // 70-79
    0x03B6, 0,      0,      0,      0x223C,                                         // 7A-7E
};

// Positions 0xA1..0xFE of the Symbol font.
const char16_t kSymbolHigh[94] = {
    0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, // A1-AA
    0x2194, 0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, // AB-B4
    0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, // B5-BE
    0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, // BF-C8
    0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, // C9-D2
    0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, // D3-DC
    0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, // DD-E6
    0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0,      // E7-F0
    0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, // F1-FA
    0x23A6, 0x23AB, 0x23AC, 0x23AD,                                                 // FB-FE
};

} // namespace

QChar cp1252ToUnicode(int n)
{
    if (n < 0 || n > 255)
        raise(err::InvalidCall);
    if (n >= 0x80 && n <= 0x9F)
        return QChar(kHigh[n - 0x80]);
    return QChar(static_cast<char16_t>(n));
}

QString Chr(int n) { return QString(cp1252ToUnicode(n)); }

namespace {
int unicodeToCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}
} // namespace

int Asc(const QString& s)
{
    if (s.isEmpty())
        raise(err::InvalidCall);
    const int code = unicodeToCp1252(s.at(0));
    return code < 0 ? 63 : code;
}

QString fromCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(cp1252ToUnicode(static_cast<unsigned char>(b)));
    return out;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int code = unicodeToCp1252(c);
        out.append(static_cast<char>(code < 0 ? '?' : code));
    }
    return out;
}

QChar symbolToUnicode(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x20 && u <= 0x7E) {
        const char16_t m = kSymbolLow[u - 0x20];
        return m ? QChar(m) : c;
    }
    if (u >= 0xA1 && u <= 0xFE) {
        const char16_t m = kSymbolHigh[u - 0xA1];
        return m ? QChar(m) : c;
    }
    return c;
}

QString symbolToUnicode(const QString& text)
{
    QString out = text;
    for (auto& c : out)
        c = symbolToUnicode(c);
    return out;
}

} // namespace vb
