// The grid editor's model: bound controls, per-column settings with their
// side effects, the special columns and the running numbers.

#include "grid/clsFLX.h"

#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"
#include "platform/StepRunner.h"
#include "platform/Texteingabe.h"
#include "platform/VbRuntime.h"

#include <QComboBox>
#include <QLineEdit>
#include <cfenv>
#include <cmath>

namespace grid {

namespace {
QString titel(const char* wort)
{
    return QStringLiteral("MSFlexGrid / ") + QString::fromUtf8(wort);
}


// Whether an entry equals a whole number, compared by value (a text that is
// no number raises 13, as the comparison does).
bool gleich(const FlxWert& eintrag, int zahl)
{
    const auto r = vb::compare(eintrag.alsVariant(), vb::Variant(int16_t(zahl)));
    return r && *r == 0;
}

// Millimetres to twips with the single-precision factor: a whole-number entry
// is multiplied in single precision, any other in double precision; halves go
// to the even neighbour.
int32_t mmInTwips(const vb::Variant& mm)
{
    constexpr float faktor = 56.7f;
    double twips = 0;
    if (mm.type() == vb::VarType::Integer || mm.type() == vb::VarType::Boolean)
        twips = double(float(vb::CSng(mm)) * faktor);
    else
        twips = vb::CDbl(mm) * double(faktor);
    return vb::CLngRange(twips);
}
} // namespace

clsFLX::clsFLX() = default;

FlexGrid* clsFLX::gitter() const
{
    if (!m_flx)
        vb::raise(vb::err::ObjectNotSet);
    return m_flx;
}

clsFLX::~clsFLX() = default;

// ---------------------------------------------------------------------------
// Bound controls

FlexGrid* clsFLX::EFLX() const
{
    return m_flx;
}

void clsFLX::EFLX(FlexGrid* grid)
{
    vb::ErrorTrap falle(titel("FLX"), vb::kVbError);
    FlxWert breiten;
    falle([&] { m_flx = grid; });
    falle([&] {
        std::vector<FlxWert> l;
        for (int c = 0; c < gitter()->Cols(); ++c)
            l.emplace_back(int16_t(15));
        breiten = FlxWert::liste(std::move(l));
    });
    falle([&] { gitter()->setRows(m_flx->FixedRows() + 1); });
    falle([&] { ELSB(breiten); });
    falle([&] { m_det = -1; });
}

std::shared_ptr<clsFLX> clsFLX::EFLXK()
{
    if (!m_flxk)
        m_flxk = std::make_shared<clsFLX>();
    return m_flxk;
}

void clsFLX::EFLXK(std::shared_ptr<clsFLX> editor)
{
    vb::ErrorTrap falle(titel("FLXK"), vb::kVbError);
    falle([&] { m_flxk = std::move(editor); });
}

QLineEdit* clsFLX::ETXT() const
{
    return m_txt;
}

void clsFLX::ETXT(QLineEdit* txt)
{
    vb::ErrorTrap falle(titel("TXT"), vb::kVbError);
    falle([&] { m_txt = txt; });
    falle([&] {
        if (!m_txt)
            vb::raise(vb::err::ObjectNotSet);
        m_txt->setFrame(true);
        m_txt->setText(QString());
        m_txt->hide();
        // A cell takes printable text only, however it is entered.
        vb::eingabeBegrenzen(m_txt);
    });
}

QComboBox* clsFLX::ECBO() const
{
    return m_cbo;
}

void clsFLX::ECBO(QComboBox* cbo)
{
    vb::ErrorTrap falle(titel("CBO"), vb::kVbError);
    falle([&] { m_cbo = cbo; });
    falle([&] {
        if (!m_cbo)
            vb::raise(vb::err::ObjectNotSet);
        m_cbo->setEditable(true);
        m_cbo->setEditText(QString());
        m_cbo->hide();
        // The list offers its items; what is typed is committed as typed, so
        // the list completes nothing.
        m_cbo->setCompleter(nullptr);
        vb::eingabeBegrenzen(m_cbo->lineEdit());
    });
}

FlexPicture* clsFLX::EPIC() const
{
    return m_pic;
}

void clsFLX::EPIC(FlexPicture* pic)
{
    vb::ErrorTrap falle(titel("PIC"), vb::kVbError);
    falle([&] { m_pic = pic; });
    auto bild = [&]() -> FlexPicture* {
        if (!m_pic)
            vb::raise(vb::err::ObjectNotSet);
        return m_pic;
    };
    falle([&] { bild()->setAppearance(1); });
    falle([&] { bild()->setAutoRedraw(true); });
    falle([&] { bild()->setBorderStyle(0); });
    // Half a millimetre inside the grid's top-left corner, over the header row.
    falle([&] { bild()->Move(gitter()->Left() + 28.35, bild()->Top()); });
    falle([&] { bild()->Move(bild()->Left(), gitter()->Top() + 28.35); });
    falle([&] { bild()->raise(); });
}

// ---------------------------------------------------------------------------
// Per-column settings

void clsFLX::ELSB(const FlxWert& breitenMm)
{
    vb::ErrorTrap falle(titel("LSB"), vb::kVbError);
    int spalten = 0;
    if (!falle([&] {
            m_lsb = breitenMm;
            spalten = m_lsb.obergrenze() + 1;
            gitter()->setCols(spalten);
        }))
        return;
    for (int c = 0; c < spalten; ++c) {
        if (!falle([&] {
                m_flx->setColWidth(c, mmInTwips(m_lsb[c].alsVariant()));
                m_flx->setFixedAlignment(c, 4);
            }))
            return;
    }
    auto leer = [&] {
        std::vector<FlxWert> l(size_t(std::max(0, spalten)));
        return FlxWert::liste(std::move(l));
    };
    falle([&] {
        m_lst1 = leer();
        m_lsttt = leer();
        m_lstyp = leer();
        m_lformat = leer();
        m_la = leer();
        m_lmin = leer();
        m_lmax = leer();
        m_lcbo.assign(size_t(std::max(0, spalten)), FlxWert());
        m_lcboAngelegt = true;
    });
    for (int c = 0; c < spalten; ++c) {
        if (!falle([&] {
                m_lst1[c] = FlxWert(QStringLiteral("I") + QString::number(c + 1));
                m_lsttt[c] = FlxWert(QStringLiteral("SpaltenNr.") + QString::number(c + 1));
                m_lstyp[c] = FlxWert(int16_t(0));
                m_la[c] = FlxWert(int16_t(2));
            }))
            return;
    }
    if (!falle([&] { ELST1(m_lst1); }))
        return;
    if (!falle([&] { ELSTYP(m_lstyp); }))
        return;
    if (!falle([&] { ELA(m_la); }))
        return;
    if (!falle([&] { m_boh = true; }))
        return;
    falle([&] { SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0); });
}

void clsFLX::ELST1(const FlxWert& v)
{
    vb::ErrorTrap falle(titel("LST1"), vb::kVbError);
    int spalten = 0;
    if (!falle([&] {
            m_lst1 = v;
            spalten = gitter()->Cols();
        }))
        return;
    for (int c = 0; c < spalten; ++c)
        if (!falle([&] { m_flx->setTextMatrix(0, c, vb::CStr(m_lst1[c].alsVariant())); }))
            return;
}

void clsFLX::ELST2(const FlxWert& v)
{
    m_lst2 = v;
}

void clsFLX::ELSTTT(const FlxWert& v)
{
    m_lsttt = v;
}

void clsFLX::ELSTYP(const FlxWert& v)
{
    vb::ErrorTrap falle(QStringLiteral("LSTYP - FlexGrid"), vb::kVbError);
    int spalten = 0;
    if (!falle([&] {
            m_lstyp = v;
            m_spez = Spezial();
            spalten = gitter()->Cols();
        }))
        return;
    for (int c = 0; c < spalten; ++c) {
        if (!falle([&] {
                const FlxWert& e = m_lstyp[c];
                int16_t* marker[6] = {&m_spez.index1, &m_spez.index2, &m_spez.index3,
                                      &m_spez.datum,  &m_spez.zeit,   &m_spez.dauer};
                for (int t = 1; t <= 6; ++t)
                    if (gleich(e, t)) {
                        *marker[t - 1] = int16_t(c);
                        break;
                    }
            }))
            return;
    }
    if (!falle([&] {
            int fest = 0;
            if (m_spez.index1 >= 0)
                fest = m_spez.index2 < 0 ? 1 : (m_spez.index3 < 0 ? 2 : 3);
            m_flx->setFixedCols(fest);
        }))
        return;
    if (!falle([&] { m_start[0] = m_start[1] = m_start[2] = 0; }))
        return;
    falle([&] { ELINDEXMAX(FlxWert()); });
}

FlxWert clsFLX::ELCBO(int16_t INDEX) const
{
    if (!m_lcboAngelegt || INDEX < 0 || size_t(INDEX) >= m_lcbo.size())
        vb::raise(vb::err::SubscriptOutOfRange);
    return m_lcbo[size_t(INDEX)];
}

void clsFLX::ELCBO(int16_t INDEX, const FlxWert& liste)
{
    vb::ErrorTrap falle(titel("LCBO"), vb::kVbError);
    falle([&] {
        if (!m_lcboAngelegt || INDEX < 0 || size_t(INDEX) >= m_lcbo.size())
            vb::raise(vb::err::SubscriptOutOfRange);
        m_lcbo[size_t(INDEX)] = liste;
    });
}

void clsFLX::ELFORMAT(const FlxWert& v)
{
    m_lformat = v;
}

void clsFLX::ELA(const FlxWert& v)
{
    vb::ErrorTrap falle(titel("LA "), vb::kVbError);
    int spalten = 0;
    if (!falle([&] {
            m_la = v;
            spalten = gitter()->Cols();
        }))
        return;
    for (int c = 0; c < spalten; ++c) {
        if (!falle([&] {
                m_flx->setFixedAlignment(c, 4);
                const FlxWert& e = m_la[c];
                if (gleich(e, 0))
                    m_flx->setColAlignment(c, 1);
                else if (gleich(e, 1))
                    m_flx->setColAlignment(c, 4);
                else if (gleich(e, 2))
                    m_flx->setColAlignment(c, 7);
            }))
            return;
    }
}

void clsFLX::ELMIN(const FlxWert& v)
{
    m_lmin = v;
}

void clsFLX::ELMAX(const FlxWert& v)
{
    m_lmax = v;
}

void clsFLX::ELINDEXMIN(const FlxWert& v)
{
    vb::ErrorTrap falle(titel("LINDEXMIN"), vb::kVbError);
    if (!falle([&] { m_lindexmin = v; }))
        return;
    if (!falle([&] {
            if (v.istLeer()) {
                m_start[0] = m_start[1] = m_start[2] = 0;
            } else if (v.art() == FlxWert::Art::Wert && v.wert().type() == vb::VarType::Integer) {
                m_start[0] = vb::CInt(v.wert());
                m_start[1] = m_start[2] = 0;
            } else if (v.istListe() && v.obergrenze() == 1) {
                const int16_t a = vb::CInt(v[0].alsVariant());
                const int16_t b = vb::CInt(v[1].alsVariant());
                m_start[0] = a;
                m_start[1] = b;
                m_start[2] = 0;
            } else if (v.istListe() && v.obergrenze() == 2) {
                const int16_t a = vb::CInt(v[0].alsVariant());
                const int16_t b = vb::CInt(v[1].alsVariant());
                const int16_t c = vb::CInt(v[2].alsVariant());
                m_start[0] = a;
                m_start[1] = b;
                m_start[2] = c;
            }
        }))
        return;
    falle([&] { NUMMERIEREN(); });
}

void clsFLX::ELINDEXMAX(const FlxWert& v)
{
    vb::ErrorTrap falle(titel("ELINDEXMAX"), vb::kVbError);
    if (!falle([&] { m_lindexmax = v; }))
        return;
    bool zeilenSetzen = true;
    int16_t bloecke = 1;
    if (!falle([&] {
            if (v.istLeer()) {
                m_max2 = m_max3 = 0;
                bloecke = 1;
            } else if (v.art() == FlxWert::Art::Wert && v.wert().type() == vb::VarType::Integer) {
                m_max2 = vb::CInt(v.wert());
                m_max3 = 0;
                bloecke = vb::addI(vb::subI(m_max2, m_start[1]), 1);
            } else if (v.istListe()) {
                m_max2 = vb::CInt(v[0].alsVariant());
                m_max3 = vb::CInt(v[1].alsVariant());
                bloecke = vb::mulI(vb::addI(vb::subI(m_max2, m_start[1]), 1),
                                   vb::addI(vb::subI(m_max3, m_start[2]), 1));
            } else {
                zeilenSetzen = false;
            }
        }))
        return;
    if (zeilenSetzen
        && !falle([&] { gitter()->setRows(vb::addI(int16_t(m_flx->FixedRows()), bloecke)); }))
        return;
    falle([&] { NUMMERIEREN(); });
}

void clsFLX::ELSELEK(const FlxWert& v)
{
    m_lselek = v;
}

// ---------------------------------------------------------------------------
// Cells and flags

QString clsFLX::EMATRIX(int16_t SPALTENR, int16_t ZEILENR) const
{
    vb::ErrorTrap falle(titel("EMATRIX"), vb::kVbError);
    QString t;
    falle([&] { t = gitter()->TextMatrix(SPALTENR, ZEILENR); });
    return t;
}

void clsFLX::EMATRIX(int16_t SPALTENR, int16_t ZEILENR, const FlxWert& matrix)
{
    vb::ErrorTrap falle(titel("EMATRIX"), vb::kVbError);
    falle([&] { gitter()->setTextMatrix(SPALTENR, ZEILENR, vb::CStr(matrix[SPALTENR][ZEILENR].alsVariant())); });
}

void clsFLX::EBOH(bool v)
{
    m_boh = v;
}

void clsFLX::EDET(int16_t v)
{
    m_det = v;
}

// ---------------------------------------------------------------------------
// Running numbers

void clsFLX::NUMMERIEREN()
{
    if (m_spez.index1 < 0)
        return;
    FlexGrid* g = gitter();
    int16_t& z1 = m_zaehler[0];
    int16_t& z2 = m_zaehler[1];
    int16_t& z3 = m_zaehler[2];
    z1 = m_start[0];
    z2 = m_start[1];
    z3 = m_start[2];
    for (int r = g->FixedRows(); r < g->Rows(); ++r) {
        if (m_spez.index2 < 0) {
            g->setTextMatrix(r, m_spez.index1, QString::number(z1));
            z1 = vb::addI(z1, 1);
        } else if (m_spez.index3 < 0) {
            if (z2 > m_max2) {
                z2 = m_start[1];
                z1 = vb::addI(z1, 1);
            }
            g->setTextMatrix(r, m_spez.index1, QString::number(z1));
            g->setTextMatrix(r, m_spez.index2, QString::number(z2));
            z2 = vb::addI(z2, 1);
        } else {
            if (z3 > m_max3) {
                z3 = m_start[2];
                z2 = vb::addI(z2, 1);
                if (z2 > m_max2) {
                    z2 = m_start[1];
                    z1 = vb::addI(z1, 1);
                }
            }
            g->setTextMatrix(r, m_spez.index1, QString::number(z1));
            g->setTextMatrix(r, m_spez.index2, QString::number(z2));
            g->setTextMatrix(r, m_spez.index3, QString::number(z3));
            z3 = vb::addI(z3, 1);
        }
    }
}

// ---------------------------------------------------------------------------
// Helpers of the operations

int16_t clsFLX::spaltenTyp(int spalte) const
{
    return vb::CInt(m_lstyp[spalte].alsVariant());
}

bool clsFLX::hatFormat(int spalte) const
{
    return !m_lformat[spalte].istFehler();
}

QString clsFLX::formatiert(int spalte, const QString& text) const
{
    return vb::Format(vb::Variant(text), vb::CStr(m_lformat[spalte].alsVariant()));
}

} // namespace grid
