// The accessor's control transfers: one column of the keyed selection to and
// from a single control. Each is a thin adapter: it takes the control's
// property as a value for the row writer, or hands the row reader's value to
// the property; the row writer and reader report failures with their box.

#include "database/clsDATEN.h"

#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

using vb::Variant;

#define KRIT_DEF                                                                                         \
    const QString &SPI1, const Wert &SPI1W, const QString &SPI2, const Wert &SPI2W, const QString &SPI3, \
        const Wert &SPI3W, const QString &SPI4, const Wert &SPI4W
#define KRIT kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W)

namespace {

template <class T>
T* gebunden(T* control)
{
    if (!control)
        vb::raise(vb::err::ObjectNotSet);
    return control;
}

// Check box Value: 0 unticked, 1 ticked, 2 greyed.
int16_t haekchen(QCheckBox* c)
{
    switch (gebunden(c)->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void haekchenSetzen(QCheckBox* c, int16_t v)
{
    switch (v) {
    case 0: gebunden(c)->setCheckState(Qt::Unchecked); break;
    case 1: gebunden(c)->setCheckState(Qt::Checked); break;
    case 2:
        gebunden(c)->setTristate(true);
        c->setCheckState(Qt::PartiallyChecked);
        break;
    default: vb::raise(vb::err::InvalidPropertyValue);
    }
}

// A read value as the property types take it (no row or Null: the empty form).
QString alsText(const Variant& v)
{
    return v.isEmpty() ? QString() : vb::CStr(v);
}

int16_t alsZahl(const Variant& v)
{
    return vb::CInt(v);
}

// ListIndex of a list: -1 for none, else an item of the list (380 outside).
void listenIndex(int anzahl, int16_t i, const std::function<void(int)>& setzen)
{
    if (i < -1 || i >= anzahl)
        vb::raise(vb::err::InvalidPropertyValue);
    setzen(i);
}

int32_t steuerIndex(QObject* o)
{
    const QVariant v = gebunden(o)->property("Index");
    return v.isValid() ? v.toInt() : 0;
}

// Text of a combo box: an editable one takes any text, a drop-down list only
// one of its items (383, as a read-only Text).
void comboText(QComboBox* c, const QString& t)
{
    if (gebunden(c)->isEditable()) {
        c->setEditText(t);
        return;
    }
    const int i = c->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0 && !t.isEmpty())
        vb::raise(383, QStringLiteral("Die Eigenschaft 'Text' ist schreibgeschützt"));
    c->setCurrentIndex(i);
}

// A read that succeeded hands its value to the control.
template <class F>
bool gelesenDann(bool gelesen, F setzen)
{
    if (!gelesen)
        return false;
    setzen();
    return true;
}

} // namespace

// ---- check box --------------------------------------------------------------

bool clsDATEN::DFTC(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(haekchen(chkX)), KRIT);
}

bool clsDATEN::DFTCC(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(chkX)->text()), KRIT);
}

bool clsDATEN::DFTCV(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    return DFTC(SPV, chkX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DTFC(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        haekchenSetzen(chkX, alsZahl(w));
    });
}

bool clsDATEN::DTFCC(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        gebunden(chkX)->setText(alsText(w));
    });
}

bool clsDATEN::DTFCV(const QString& SPV, QCheckBox* chkX, KRIT_DEF)
{
    return DTFC(SPV, chkX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// ---- list box -----------------------------------------------------------------

bool clsDATEN::DFTI(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    // No item selected: the empty text, which the row writer stores as Null.
    QListWidgetItem* item = gebunden(lstX)->currentRow() >= 0 ? lstX->item(lstX->currentRow()) : nullptr;
    return wertSchreiben(SPV, Variant(item ? item->text() : QString()), KRIT);
}

bool clsDATEN::DFTIL(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(int16_t(gebunden(lstX)->currentRow())), KRIT);
}

bool clsDATEN::DFTIS(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    return DFTI(SPV, lstX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DTFI(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        gebunden(lstX)->addItem(alsText(w));
    });
}

bool clsDATEN::DTFIL(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        if (gebunden(lstX)->count() > 0)
            listenIndex(lstX->count(), alsZahl(w), [&](int i) { lstX->setCurrentRow(i); });
    });
}

bool clsDATEN::DTFIS(const QString& SPV, QListWidget* lstX, KRIT_DEF)
{
    return DTFI(SPV, lstX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// ---- label ----------------------------------------------------------------------

bool clsDATEN::DFTL(const QString& SPV, QLabel* lblX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(lblX)->text()), KRIT);
}

bool clsDATEN::DFTLC(const QString& SPV, QLabel* lblX, KRIT_DEF)
{
    return DFTL(SPV, lblX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DFTLI(const QString& SPV, QLabel* lblX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(vb::CIntRange(steuerIndex(lblX))), KRIT);
}

bool clsDATEN::DTFL(const QString& SPV, QLabel* lblX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        gebunden(lblX)->setText(alsText(w));
    });
}

bool clsDATEN::DTFLC(const QString& SPV, QLabel* lblX, KRIT_DEF)
{
    return DTFL(SPV, lblX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// ---- combo box ------------------------------------------------------------------

bool clsDATEN::DFTM(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(cboX)->currentText()), KRIT);
}

bool clsDATEN::DFTML(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(int16_t(gebunden(cboX)->currentIndex())), KRIT);
}

bool clsDATEN::DFTMS(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    // No item selected: the buffer stays empty.
    const int i = gebunden(cboX)->currentIndex();
    return wertSchreiben(SPV, i >= 0 ? Variant(cboX->itemText(i)) : Variant(), KRIT);
}

bool clsDATEN::DFTMT(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    return DFTM(SPV, cboX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DTFM(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        comboText(cboX, alsText(w));
    });
}

bool clsDATEN::DTFML(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        if (gebunden(cboX)->count() > 0)
            listenIndex(cboX->count(), alsZahl(w), [&](int i) { cboX->setCurrentIndex(i); });
    });
}

bool clsDATEN::DTFMS(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        gebunden(cboX)->addItem(alsText(w));
    });
}

bool clsDATEN::DTFMT(const QString& SPV, QComboBox* cboX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        const QString t = alsText(w);
        if (!gebunden(cboX)->isEditable()) {
            // A drop-down list selects the item equal to the value, or keeps its selection.
            if (const int i = cboX->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive); i >= 0)
                cboX->setCurrentIndex(i);
        } else {
            cboX->setEditText(t);
        }
    });
}

bool clsDATEN::DTFMM(const QString& SPV, QComboBox* cboX, const QString& SPI1, const Wert& SPI1W,
                     const QString& SPI2, const Wert& SPI2W, const QString& SPI3, const Wert& SPI3W,
                     const QString& SPI4)
{
    vb::StepRunner falle(QStringLiteral("Datenfehler"), vb::kVbError);
    falle.textBuilder([&](const vb::VbError&) {
        return QStringLiteral("Die Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE()
               + QStringLiteral(" können nicht eingelesen werden!");
    });
    auto melden = [&] { return falle.report(vb::currentVbError()); };

    std::unique_ptr<db::Recordset> rs;
    try {
        rs = oeffnen(SPV, kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, std::nullopt), false);
    } catch (...) {
        return melden();
    }
    try {
        if (!rs->eof())
            rs->moveFirst();
    } catch (...) {
        if (!melden())
            return false;
    }
    while (!rs->eof()) {
        try {
            const Variant v = rs->field(0);
            if (!v.isNull())
                gebunden(cboX)->addItem(vb::CStr(v));
        } catch (...) {
            if (!melden())
                return false;
        }
        rs->moveNext();
    }
    rs->close();
    return true;
}

// ---- option button ------------------------------------------------------------

bool clsDATEN::DFTO(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(optX)->isChecked()), KRIT);
}

bool clsDATEN::DFTOC(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(optX)->text()), KRIT);
}

bool clsDATEN::DFTOV(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    return DFTO(SPV, optX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DTFO(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        const bool an = vb::CBool(w);
        // An option button set to False in its group leaves the others as they are.
        const bool exklusiv = gebunden(optX)->autoExclusive();
        if (!an)
            optX->setAutoExclusive(false);
        optX->setChecked(an);
        optX->setAutoExclusive(exklusiv);
    });
}

bool clsDATEN::DTFOC(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        gebunden(optX)->setText(alsText(w));
    });
}

bool clsDATEN::DTFOV(const QString& SPV, QRadioButton* optX, KRIT_DEF)
{
    return DTFO(SPV, optX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// ---- text box -------------------------------------------------------------------

bool clsDATEN::DFTT(const QString& SPV, QLineEdit* txtX, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(gebunden(txtX)->text()), KRIT);
}

bool clsDATEN::DFTTT(const QString& SPV, QLineEdit* txtX, KRIT_DEF)
{
    return DFTT(SPV, txtX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

bool clsDATEN::DTFT(const QString& SPV, QLineEdit* txtX, KRIT_DEF)
{
    Variant w;
    return gelesenDann(skalarLesen(SPV, KRIT, w), [&] {
        // A text longer than its box shows from its start, as a text box
        // filled by a program does.
        gebunden(txtX)->setText(alsText(w));
        txtX->setCursorPosition(0);
    });
}

bool clsDATEN::DTFTT(const QString& SPV, QLineEdit* txtX, KRIT_DEF)
{
    return DTFT(SPV, txtX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
