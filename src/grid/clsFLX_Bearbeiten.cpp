// Cell editing: opening the cell editors over the active cell, committing
// them with the column's check and format, Enter on the last cell, copy,
// paste and the drag-fill.

#include "grid/clsFLX.h"

#include "grid/FlexGrid.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/TextTables.h"
#include "platform/Texteingabe.h"
#include "platform/VbRuntime.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <cmath>

namespace grid {

namespace {
// Places a cell editor (a sibling of the grid) over the grid's active cell.
void ueberZelle(QWidget* editor, FlexGrid* g, bool hoehe)
{
    const double tx = g->twipsPerPixelX();
    const double ty = g->twipsPerPixelY();
    const double links = g->Left() + g->CellLeft();
    const double oben = g->Top() + g->CellTop();
    const int x = int(std::lround(links / tx));
    const int y = int(std::lround(oben / ty));
    const int w = int(std::lround(g->CellWidth() / tx));
    const int h = hoehe ? int(std::lround(g->CellHeight() / ty)) : editor->height();
    editor->setGeometry(x, y, w, h);
}

// A typed character's code: Windows character set up to 255, Unicode above.
QString zeichen(int16_t code)
{
    return code > 255 ? QString(QChar(char16_t(code))) : vb::Chr(code & 0xFF);
}
} // namespace

void clsFLX::BEARBEITEN(int16_t BOB, float X, const QString& getippt)
{
    // What was typed: the key's own text where it is known, else the
    // character the code names.
    auto eingabe = [&] {
        const QString t = vb::ohneSteuerzeichen(getippt);
        return t.isEmpty() ? zeichen(BOB) : t;
    };
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Bearbeiten"), vb::kVbError);
    // The delete character (127) is no typed character: it opens nothing.
    if (BOB == 0 || (BOB >= 33 && BOB != 127)) {
        // The cell whose editor opened: a commit writes there.
        auto merken = [this] {
            m_znr = int16_t(m_flx->Row());
            m_snr = int16_t(m_flx->Col());
        };
        int16_t typ = 0;
        int spalte = 0;
        if (!falle([&] {
                spalte = gitter()->Col();
                typ = spaltenTyp(spalte);
            }))
            return;
        if (m_txt && typ < 7 && m_txt->isHidden()) {
            if (!falle([&] {
                    ueberZelle(m_txt, m_flx, true);
                    m_txt->show();
                    m_txt->raise();
                    m_txt->setFocus(Qt::OtherFocusReason);
                }))
                return;
            if (!falle([&] {
                    double d = 0;
                    const QString zelle = m_flx->TextMatrix(m_flx->Row(), m_flx->Col());
                    m_txt->setAlignment((vb::parseNumber(zelle, &d) ? Qt::AlignRight : Qt::AlignLeft)
                                        | Qt::AlignVCenter);
                }))
                return;
            if (!falle([&] {
                    if (BOB == 0) {
                        m_txt->setText(m_flx->TextMatrix(m_flx->Row(), m_flx->Col()));
                        m_txt->selectAll();
                    } else {
                        m_txt->setText(eingabe());
                        m_txt->deselect();
                        m_txt->setCursorPosition(m_txt->text().size());
                    }
                }))
                return;
            if (!falle(merken))
                return;
        }
        if (m_cbo && typ == 7 && m_cbo->isHidden()) {
            if (!falle([&] {
                    m_cbo->clear();
                    const FlxWert liste = ELCBO(int16_t(spalte));
                    for (int i = 0; i <= liste.obergrenze(); ++i)
                        m_cbo->addItem(vb::CStr(liste[i].alsVariant()));
                }))
                return;
            if (!falle([&] {
                    ueberZelle(m_cbo, m_flx, false);
                    m_cbo->show();
                    m_cbo->raise();
                    m_cbo->setFocus(Qt::OtherFocusReason);
                }))
                return;
            if (!falle([&] {
                    const QString zelle = m_flx->TextMatrix(m_flx->Row(), m_flx->Col());
                    if (BOB == 0) {
                        m_cbo->setEditText(zelle);
                        if (m_cbo->lineEdit())
                            m_cbo->lineEdit()->selectAll();
                    } else {
                        m_cbo->setEditText(zelle + eingabe());
                        if (m_cbo->lineEdit()) {
                            m_cbo->lineEdit()->deselect();
                            m_cbo->lineEdit()->setCursorPosition(m_cbo->lineEdit()->text().size());
                        }
                    }
                }))
                return;
            falle(merken);
        }
        return;
    }
    if (BOB == 13) {
        bool anhaengen = false;
        if (!falle([&] {
                FlexGrid* g = gitter();
                anhaengen = g->Col() == g->Cols() - 1 && g->Row() == g->Rows() - 1 && m_boh;
            }))
            return;
        if (!anhaengen)
            return;
        if (!falle([&] { zeileAnhaengen(); }))
            return;
        if (!falle([&] {
                if (m_flxk && m_flxk->m_flx) {
                    m_flxk->zeileAnhaengen();
                    m_flxk->NUMMERIEREN();
                }
            }))
            return;
        falle([&] { NUMMERIEREN(); });
        return;
    }
    if (BOB == -1) {
        falle([&] {
            QClipboard* cb = QApplication::clipboard();
            cb->clear();
            cb->setText(gitter()->Clip());
        });
        return;
    }
    if (BOB == -2) {
        falle([&] {
            FlexGrid* g = gitter();
            const float links = float(g->CellLeft() + 0.85 * g->CellWidth());
            const bool imBand = links < X && X < float(g->CellLeft() + g->CellWidth());
            g->setMousePointer(imBand ? 2 : 0);
        });
    }
}

void clsFLX::ZELLENLEEREN()
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Bearbeiten"), vb::kVbError);
    falle([&] {
        FlexGrid* g = gitter();
        const auto [r0, r1, c0, c1] = g->auswahl();
        // What an editor could have emptied: the columns that have one.
        for (int c = c0; c <= c1; ++c)
            if (spaltenTyp(c) <= 7)
                for (int r = r0; r <= r1; ++r)
                    g->setTextMatrix(r, c, QString());
    });
}

void clsFLX::zeileAnhaengen()
{
    FlexGrid* g = gitter();
    g->setRows(g->Rows() + 1);
    g->setRow(g->Rows() - 1);
    g->setCol(g->FixedCols());
    g->setLeftCol(g->FixedCols());
}

void clsFLX::EINFUEGEN(int16_t BOE)
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Einfügen"), vb::kVbError);
    if (BOE == 0 || BOE == 13) {
        const int c = m_snr;
        const int r = m_znr;
        int16_t typ = 0;
        if (!falle([&] { typ = spaltenTyp(c); }))
            return;

        // Check, format and write the editor's text; false while it is refused.
        auto uebernehmen = [&](QString text, bool liste, const std::function<void(const QString&)>& leeren) {
            bool abgelehnt = false;
            if (!falle([&] {
                    if (text.isEmpty())
                        return;
                    float min = 0;
                    float max = 0;
                    if (!m_lmin[c].istFehler() && !m_lmax[c].istFehler()) {
                        min = vb::CSng(m_lmin[c].alsVariant());
                        max = vb::CSng(m_lmax[c].alsVariant());
                    }
                    const QString ueberschrift = vb::CStr(m_lst1[c].alsVariant());
                    QString kopie = text;
                    bool ok = true;
                    if (!liste && typ >= 1 && typ <= 3) {
                        if (min < max)
                            ok = eingabepruefung(kopie, min, max, true, false,
                                                 QStringLiteral("Indexspalte ") + ueberschrift);
                    } else if (!liste && typ == 4) {
                        ok = eingabepruefung(kopie, min, max, false, true,
                                             QStringLiteral("Datumsspalte ") + ueberschrift);
                    } else if (!liste && typ == 5) {
                        ok = eingabepruefung(kopie, min, max, false, true,
                                             QStringLiteral("Uhrzeitspalte ") + ueberschrift);
                    } else if (min < max) {
                        ok = eingabepruefung(kopie, min, max, false, false, QStringLiteral("Spalte ") + ueberschrift);
                    }
                    abgelehnt = !ok;
                }))
                return;
            if (abgelehnt)
                return;
            if (!falle([&] {
                    if (hatFormat(c) && !text.isEmpty())
                        text = formatiert(c, text);
                }))
                return;
            falle([&] {
                gitter()->setTextMatrix(r, c, text);
                leeren(QString());
                m_flx->SetFocus();
            });
        };

        if (m_txt && typ < 7 && !m_txt->isHidden())
            uebernehmen(m_txt->text(), false, [&](const QString&) {
                m_txt->setText(QString());
                m_txt->hide();
            });
        if (falle.cancelled())
            return;
        if (m_cbo && typ == 7 && !m_cbo->isHidden())
            uebernehmen(m_cbo->currentText(), true, [&](const QString&) {
                m_cbo->setEditText(QString());
                m_cbo->hide();
            });
        return;
    }
    if (BOE == -1) {
        falle([&] {
            const QMimeData* daten = QApplication::clipboard()->mimeData();
            if (daten && daten->hasText())
                gitter()->setClip(QApplication::clipboard()->text());
        });
        return;
    }
    if (BOE == -2) {
        falle([&] {
            FlexGrid* g = gitter();
            if (g->MousePointer() != 2)
                return;
            const QString text = g->Text();
            for (int i = g->Row(); i <= g->RowSel(); ++i)
                for (int j = g->Col(); j <= g->ColSel(); ++j)
                    g->setTextMatrix(i, j, text);
            g->setMousePointer(0);
        });
    }
}

bool clsFLX::eingabepruefung(QString& text, float min, float max, bool ganz, bool datum, const QString& art)
{
    const QString titel = QStringLiteral("MSFlexGrid / ") + art;
    const int stil = vb::vbOKOnly | vb::vbExclamation;
    text = vb::Trim(text);
    if (text.isEmpty())
        return true;
    if (datum) {
        if (vb::IsDate(vb::Variant(text)))
            return true;
        vb::MsgBox(QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"), stil, titel);
        return false;
    }
    if (!vb::IsNumeric(vb::Variant(text))) {
        vb::MsgBox(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"), stil, titel);
        return false;
    }
    const float wert = vb::CSng(vb::Variant(text));
    if (wert < min || wert > max) {
        vb::MsgBox(QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:") + QLatin1Char('\n')
                       + QStringLiteral("Minimum: ") + vb::CStr(min) + QStringLiteral(", Maximum: ") + vb::CStr(max),
                   stil, titel);
        return false;
    }
    if (ganz && double(wert) != std::floor(double(wert))) {
        vb::MsgBox(QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"), stil, titel);
        return false;
    }
    return true;
}

} // namespace grid
