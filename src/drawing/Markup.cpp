#include "drawing/Markup.h"

#include "platform/TextTables.h"
#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <algorithm>

namespace drawing {

namespace {

// Reads the count of a directive: a whole number (blanks allowed around it).
int readCount(const QString& s)
{
    bool ok = false;
    const QString t = s.trimmed();
    const int n = t.toInt(&ok);
    if (!ok) vb::raise(vb::err::TypeMismatch);
    if (n < 0) vb::raise(vb::err::InvalidCall);
    return n;
}

} // namespace

std::vector<MarkupPiece> splitMarkup(const QString& text, bool* stopped, std::exception_ptr* failure)
{
    std::vector<MarkupPiece> pieces;
    if (stopped) *stopped = false;
    if (failure) *failure = nullptr;
    try {
    const int len = int(text.size());
    int pos = 0;                 // characters consumed
    bool previousPlain = false;  // nothing drawn yet counts as "not plain"
    while (pos < len) {
        const int open = int(text.indexOf(QLatin1Char('{'), pos)); // 0-based
        if (open < 0) {
            pieces.push_back({MarkupPiece::Kind::Plain, QString(), text.mid(pos)});
            pos = len;
            break;
        }
        if (!previousPlain && open > 0) {
            // The plain run before the directive (empty between two directives).
            pieces.push_back({MarkupPiece::Kind::Plain, QString(), text.mid(pos, open - pos)});
            pos = open;
            previousPlain = true;
            continue;
        }
        const int close = int(text.indexOf(QLatin1Char('}'), open + 1));
        const int comma = int(text.indexOf(QLatin1Char(','), open + 1));
        if (comma < 0) {
            if (stopped) *stopped = true;
            break;
        }
        if (close < 0 || close < comma) vb::raise(vb::err::InvalidCall);
        const QString code = text.mid(open + 1, comma - open - 1);
        const int n = readCount(text.mid(comma + 1, close - comma - 1));
        if (code == QLatin1String("c")) {
            if (n > 255) vb::raise(vb::err::InvalidCall);
            pieces.push_back({MarkupPiece::Kind::Inserted, code, QString(ansiChar(n))});
            pos = close + 1;
        } else {
            // The count may reach past the end of the text (up to the
            // largest int); it takes what is left without overflowing.
            pos = close + 1 + std::min(n, len - (close + 1));
            pieces.push_back({MarkupPiece::Kind::Directive, code, text.mid(close + 1, pos - close - 1)});
        }
        previousPlain = false;
    }
    } catch (...) {
        if (!failure) throw;
        *failure = std::current_exception();
    }
    return pieces;
}

QString plainText(const QString& text)
{
    // Every "{...}" is left out, from the first "{" to the next "}" after
    // it; one pass, so a text of many directives costs its length.
    qsizetype open = text.indexOf(QLatin1Char('{'));
    if (open < 0) return text;
    QString s;
    s.reserve(text.size());
    qsizetype pos = 0;
    while (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) break;
        s += QStringView(text).mid(pos, open - pos);
        pos = close + 1;
        open = text.indexOf(QLatin1Char('{'), pos);
    }
    s += QStringView(text).mid(pos);
    return s;
}

QString exponentMarkup(const QString& text)
{
    // The cheap test first: most texts have no exponent letter at all.
    const int p = int(text.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive));
    if (p < 0) return text;
    if (!vb::IsNumeric(vb::Variant(text))) return text;
    const int len = int(text.size());
    // Positions counted from 1: the exponent letter is at p + 1; the count of
    // characters after it is len - (p + 1).
    return text.left(p) + QStringLiteral("*10{h,") + QString::number(len - (p + 1)) + QLatin1Char('}') +
           text.mid(p + 1);
}

QChar ansiChar(int n)
{
    return vb::cp1252ToUnicode(n);
}

QString symbolText(const QString& s)
{
    return vb::symbolToUnicode(s);
}

} // namespace drawing
