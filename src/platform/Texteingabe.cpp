#include "platform/Texteingabe.h"

#include <QLineEdit>
#include <QPointer>
#include <QTextBoundaryFinder>
#include <QValidator>
#include <algorithm>
#include <optional>
#include <utility>

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
// undo, an undo or redo leaves something to redo or gives back a text the
// box held before, while every edit of the user — typed, pasted, dropped —
// can be undone and clears what could be redone; only those edits are cut
// to what may arrive.
//
// An edit of which nothing may arrive is refused whole: Qt then restores the
// text, the cursor and the undo history as they were. An edit of which a
// part may arrive is first set by Qt as a new text, which forgets what could
// be undone; when the box reports that text, it is rebuilt as an edit of the
// text before (the removed part selected, the allowed part inserted), so that
// undo gives back the text as it was before the edit.
class Eingabepruefer : public QValidator {
public:
    Eingabepruefer(QLineEdit* box, int grenze) : QValidator(box), m_box(box), m_grenze(grenze), m_vorher(box->text())
    {
        connect(box, &QLineEdit::textChanged, this, [this] { geaendert(); });
    }

    State validate(QString& text, int& pos) const override
    {
        if (!m_box || m_nachbau || !m_box->isUndoAvailable() || m_box->isRedoAvailable())
            return Acceptable;
        const Aenderung a = aenderung(m_vorher, text, pos);
        const qsizetype ende = text.size() - a.hinten;
        const QString eingefuegt = text.mid(a.vorn, ende - a.vorn);
        QString erlaubt = ohneSteuerzeichen(eingefuegt);
        if (m_grenze > 0) {
            // A text longer than the limit may keep its length, not grow.
            const qsizetype hoechstens = std::max<qsizetype>(m_grenze, m_vorher.size());
            const qsizetype bleibt = text.size() - eingefuegt.size();
            erlaubt = ganzeZeichen(erlaubt, std::max<qsizetype>(0, hoechstens - bleibt));
        }
        if (erlaubt.size() == eingefuegt.size())
            return Acceptable;
        if (erlaubt.isEmpty())
            return Invalid;
        m_kuerzung = Kuerzung{m_vorher, a.vorn, m_vorher.size() - a.vorn - a.hinten, erlaubt};
        text = text.left(a.vorn) + erlaubt + text.right(a.hinten);
        pos = int(a.vorn + erlaubt.size());
        return Acceptable;
    }

private:
    // A shortened edit: `entfernt` characters of `vorher` from `vorn` on
    // replaced by `eingefuegt`.
    struct Kuerzung {
        QString vorher;
        qsizetype vorn = 0;
        qsizetype entfernt = 0;
        QString eingefuegt;
    };

    void geaendert()
    {
        if (!m_box)
            return;
        if (m_kuerzung && !m_nachbau) {
            const Kuerzung k = *std::exchange(m_kuerzung, std::nullopt);
            m_nachbau = true;
            m_box->setText(k.vorher);
            if (k.entfernt > 0)
                m_box->setSelection(int(k.vorn), int(k.entfernt));
            else
                m_box->setCursorPosition(int(k.vorn));
            m_box->insert(k.eingefuegt);
            m_nachbau = false;
        }
        m_vorher = m_box->text();
    }

    QPointer<QLineEdit> m_box;
    int m_grenze;
    QString m_vorher;
    bool m_nachbau = false;
    mutable std::optional<Kuerzung> m_kuerzung;
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

QString ganzeZeichen(const QString& text, qsizetype grenze)
{
    if (text.size() <= grenze)
        return text;
    if (grenze <= 0)
        return QString();
    QTextBoundaryFinder zeichen(QTextBoundaryFinder::Grapheme, text);
    zeichen.setPosition(grenze);
    if (!zeichen.isAtBoundary())
        zeichen.toPreviousBoundary();
    return text.left(std::max<qsizetype>(0, zeichen.position()));
}

QString ohneAnfang(const QString& text, qsizetype anzahl)
{
    if (anzahl <= 0)
        return text;
    if (anzahl >= text.size())
        return QString();
    QTextBoundaryFinder zeichen(QTextBoundaryFinder::Grapheme, text);
    zeichen.setPosition(anzahl);
    if (!zeichen.isAtBoundary())
        zeichen.toNextBoundary();
    return zeichen.position() < 0 ? QString() : text.mid(zeichen.position());
}

void eingabeBegrenzen(QLineEdit* box, int grenze)
{
    if (!box)
        return;
    box->setValidator(new Eingabepruefer(box, std::max(0, grenze)));
}

} // namespace vb
