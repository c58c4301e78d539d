#include "platform/Texteingabe.h"

#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <algorithm>

namespace vb {

namespace {

bool istSteuerzeichen(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// One edit of a text: `vorn` characters kept at the start, `hinten` at the
// end, and what stands between them in the new text was inserted.
struct Aenderung {
    qsizetype vorn = 0;
    qsizetype hinten = 0;
};

qsizetype gleicherAnfang(const QString& a, const QString& b, qsizetype hoechstens)
{
    qsizetype n = 0;
    while (n < hoechstens && a.at(n) == b.at(n))
        ++n;
    return n;
}

// How `vorher` became `neu`. An insertion leaves the cursor `pos` after the
// inserted text, which places it where repeated characters leave the text
// alone ambiguous; without a fitting cursor the longest kept start and end
// describe the edit.
Aenderung aenderung(const QString& vorher, const QString& neu, int pos)
{
    const qsizetype kuerzer = std::min(vorher.size(), neu.size());
    const qsizetype hinten = neu.size() - pos;
    if (pos >= 0 && hinten >= 0 && hinten <= vorher.size() && neu.right(hinten) == vorher.right(hinten)) {
        const qsizetype vorn = gleicherAnfang(vorher, neu, std::min<qsizetype>(pos, vorher.size() - hinten));
        return {vorn, hinten};
    }
    const qsizetype vorn = gleicherAnfang(vorher, neu, kuerzer);
    qsizetype ende = 0;
    while (ende < kuerzer - vorn && vorher.at(vorher.size() - 1 - ende) == neu.at(neu.size() - 1 - ende))
        ++ende;
    return {vorn, ende};
}

// Checks every change of a box's text. Qt names no origin of a change; the
// program's own (setting the whole text) leaves the box with nothing to
// undo, while every edit of the user — typed, pasted, dropped — can be
// undone, so only those are cut to what may arrive.
class Eingabepruefer : public QValidator {
public:
    Eingabepruefer(QLineEdit* box, int grenze) : QValidator(box), m_box(box), m_grenze(grenze), m_vorher(box->text())
    {
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (m_box)
                m_vorher = m_box->text();
        });
    }

    State validate(QString& text, int& pos) const override
    {
        if (!m_box || !m_box->isUndoAvailable())
            return Acceptable;
        const Aenderung a = aenderung(m_vorher, text, pos);
        const qsizetype ende = text.size() - a.hinten;
        const QString eingefuegt = text.mid(a.vorn, ende - a.vorn);
        QString erlaubt = ohneSteuerzeichen(eingefuegt);
        if (m_grenze > 0) {
            const qsizetype frei = std::max<qsizetype>(0, m_grenze - (text.size() - eingefuegt.size()));
            if (erlaubt.size() > frei)
                erlaubt.truncate(frei);
        }
        if (erlaubt.size() == eingefuegt.size())
            return Acceptable;
        text = text.left(a.vorn) + erlaubt + text.right(a.hinten);
        // The cursor keeps its place relative to the inserted text.
        if (pos >= ende)
            pos -= int(eingefuegt.size() - erlaubt.size());
        else if (pos > a.vorn)
            pos = int(std::min<qsizetype>(pos, a.vorn + erlaubt.size()));
        return Acceptable;
    }

private:
    QPointer<QLineEdit> m_box;
    int m_grenze;
    QString m_vorher;
};

} // namespace

QString ohneSteuerzeichen(const QString& text)
{
    if (std::none_of(text.begin(), text.end(), istSteuerzeichen))
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!istSteuerzeichen(c))
            out += c;
    return out;
}

void eingabeBegrenzen(QLineEdit* box, int grenze)
{
    if (!box)
        return;
    box->setValidator(new Eingabepruefer(box, std::max(0, grenze)));
}

} // namespace vb
