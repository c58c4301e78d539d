// Device file import: presets, the three layouts, the finishing steps.

#include "grid/FlxImport.h"

#include "database/clsDATEN.h"
#include "grid/FlexGrid.h"
#include "grid/clsFLX.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/TextTables.h"
#include "platform/Texteingabe.h"
#include "platform/VbRuntime.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <cmath>
#include <map>

namespace grid {

namespace {

const QString kTitel = QStringLiteral("MSFlexGrid / Importieren");

// The file cannot be read at this line (1-based).
struct Lesefehler {
    int zeile;
};
// The user ended the import in one of its boxes.
struct Abbruch {};
// No value of the preset has a column in the grid.
struct Unpassend {};

QString platzhalter(QString s)
{
    s.replace(QStringLiteral("<BLANK>"), QStringLiteral(" "));
    s.replace(QStringLiteral("<TAB>"), QStringLiteral("\t"));
    return s;
}

// The highest column of the grid whose import key is `schluessel`; -1 when
// no column has it.
int spalteMitSchluessel(const FlexGrid& g, const FlxWert& schluessel, const QString& gesucht)
{
    int spalte = -1;
    for (int c = 0; c < g.Cols(); ++c)
        if (vb::CStr(schluessel[c].alsVariant()) == gesucht)
            spalte = c;
    return spalte;
}

int frage(const QString& text)
{
    return vb::MsgBox(text, vb::vbOKCancel | vb::vbExclamation, kTitel);
}

// The refusal of a preset none of whose values has a column in the grid.
void unpassendMelden(const Elektronikvorgabe& vorgabe)
{
    QStringList felder;
    for (const auto& w : vorgabe.werte)
        felder << w.spalte;
    const QString liste = felder.join(QStringLiteral(", "));
    vb::MsgBox(vb::locale().languageCode() == 1
                   ? QStringLiteral("The device preset ") + vorgabe.akvk
                         + QStringLiteral(" does not fit this table: none of its measured values (") + liste
                         + QStringLiteral(") has a column here. Nothing was imported.")
                   : QStringLiteral("Die Elektronikvorgabe ") + vorgabe.akvk
                         + QStringLiteral(" passt nicht zu dieser Tabelle: keiner ihrer Messwerte (") + liste
                         + QStringLiteral(") hat hier eine Spalte. Es wurde nichts importiert."),
               vb::vbOKOnly | vb::vbExclamation, kTitel);
}

// One run of an import over the grid of an editor.
class Lauf {
public:
    Lauf(FlexGrid& g, const Elektronikvorgabe& v, const QStringList& zeilen) : m_g(g), m_v(v), m_zeilen(zeilen)
    {
    }

    // Target column of each measured value: the highest column whose import
    // key equals the value's key, else column 0.
    // A preset none of whose values has a column here belongs to another
    // grid: it would only append empty rows, so it is refused.
    void zielspalten(const FlxWert& schluessel)
    {
        bool getroffen = m_v.werte.empty();
        for (const auto& w : m_v.werte) {
            const int spalte = spalteMitSchluessel(m_g, schluessel, w.spalte);
            getroffen = getroffen || spalte >= 0;
            m_spalte.push_back(std::max(0, spalte));
        }
        if (!getroffen)
            throw Unpassend{};
    }

    void zeilenLayout();
    void satzLayout();
    void einzeilenLayout();
    void abschluss(int datumSpalte, int zeitSpalte);
    int ersteZeile() const { return m_erste; }

private:
    bool ende() const { return m_i >= m_zeilen.size(); }
    // The first row an import writes: the grid's only data row while it has
    // just one, else the row after the last (the rows are appended).
    int ersteZielzeile() const { return m_g.Rows() == m_g.FixedRows() + 1 ? m_g.FixedRows() : m_g.Rows(); }
    // The next line; false at the end of the file.
    bool lesen(QString& zeile)
    {
        if (ende())
            return false;
        zeile = m_zeilen[m_i++];
        // A text file holds no control characters but tabs.
        for (QChar ch : zeile)
            if (ch.unicode() < 0x20 && ch != QLatin1Char('\t'))
                throw Lesefehler{m_i};
        return true;
    }
    // A header line of the line layout as a whole number.
    int kopfzahl(const QString& zeile) const
    {
        const auto d = FlxImport::geraetezahl(zeile.trimmed());
        if (!d || *d != std::floor(*d) || std::abs(*d) > 32767)
            throw Lesefehler{m_i};
        return int(*d);
    }
    std::optional<int> kopfzahlOderNichts(const QString& zeile) const
    {
        const auto d = FlxImport::geraetezahl(zeile.trimmed());
        if (!d || *d != std::floor(*d) || std::abs(*d) > 32767)
            return std::nullopt;
        return int(*d);
    }
    // Writes a field (or line) at position p into the target row.
    void schreiben(int ziel, int p, const QString& text)
    {
        for (size_t k = 0; k < m_v.werte.size(); ++k) {
            const auto& pos = m_v.werte[k].position;
            if (!pos || *pos != double(p))
                continue;
            while (ziel >= m_g.Rows())
                m_g.setRows(m_g.Rows() + 1);
            m_g.setTextMatrix(ziel, m_spalte[k], vb::ohneSteuerzeichen(text.trimmed()));
        }
    }
    // Splits a record into its fields and writes them; false when a field
    // before the last has no separator after it and the user goes on.
    bool satz(const QString& text, int ziel, int nummer, bool ersterFeldPruefen);

    FlexGrid& m_g;
    const Elektronikvorgabe& m_v;
    const QStringList& m_zeilen;
    int m_i = 0;
    int m_erste = 0;
    std::vector<int> m_spalte;
};

void Lauf::zeilenLayout()
{
    const int zl = m_v.zl;
    if (zl < 2)
        throw Lesefehler{1};
    int zyklus = 0;
    int pos = 0;
    QString zeile;
    if (!m_v.kenz1nr.isEmpty()) {
        const int n = vb::CInt(vb::Variant(m_v.kenz1nr));
        for (long k = 0; k < long(n) * zl; ++k)
            if (!lesen(zeile))
                return;
        zyklus = n;
    } else if (!m_v.kenz1kz.isEmpty()) {
        int vorher = 0;
        for (;;) {
            if (!lesen(zeile))
                throw Lesefehler{m_i};   // no marker in the file
            if (zeile.trimmed() == m_v.kenz1kz)
                break;
            ++vorher;
        }
        zyklus = vorher / zl;
        pos = vorher % zl + 1;
    }
    // Like the other layouts, the rows are appended: filling the grid's last
    // row would overwrite what the user entered there. The first cycle goes on
    // from the position the skipping reached, whatever the grid holds.
    m_erste = ersteZielzeile();
    int ziel = m_erste;
    bool erster = true;
    for (;;) {
        int p = erster ? pos : 0;
        erster = false;
        for (; p < zl; ++p) {
            if (!lesen(zeile))
                return;
            if (p == 0) {
                if (kopfzahl(zeile) != zl - 1) {
                    const QString text =
                        ziel == m_erste
                            ? QStringLiteral("Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!")
                            : QStringLiteral("ZyklusNr. ") + QString::number(zyklus - 1)
                                  + QStringLiteral(" der Elektronikdatei ist beschädigt!");
                    if (frage(text) != vb::vbOK)
                        throw Abbruch{};
                    zyklus = vb::addI(int16_t(zyklus), 1);
                    // Never back into the rows the grid held before.
                    if (ziel > 1 && ziel > m_erste)
                        --ziel;
                    // On to the next cycle header, whose number line follows.
                    for (;;) {
                        if (!lesen(zeile))
                            return;
                        const auto z = kopfzahlOderNichts(zeile);
                        if (z && *z == zl - 1)
                            break;
                    }
                    if (!lesen(zeile))
                        return;
                    const int nummer = kopfzahl(zeile);
                    if (nummer < zyklus)
                        throw Lesefehler{m_i};
                    zyklus = nummer;
                    p = 1;
                }
                continue;
            }
            if (p == 1) {
                const int nummer = kopfzahl(zeile);
                if (nummer != zyklus) {
                    if (frage(QStringLiteral("Es fehlen ein oder mehrere Zyklen nach ZyklusNr. ")
                              + QString::number(zyklus - 1) + QStringLiteral(" !"))
                        != vb::vbOK)
                        throw Abbruch{};
                    if (nummer < zyklus)
                        throw Lesefehler{m_i};
                    zyklus = nummer;
                }
                continue;
            }
            schreiben(ziel, p, zeile);
        }
        ++ziel;
        zyklus = vb::addI(int16_t(zyklus), 1);
    }
}

bool Lauf::satz(const QString& text, int ziel, int nummer, bool ersterFeldPruefen)
{
    const int zl = m_v.zl;
    int start = 0;
    for (int f = 0; f < zl; ++f) {
        QString feld;
        if (f == zl - 1) {
            // The last field ends two characters before the record's end.
            feld = vb::ganzeZeichen(text.mid(start), std::max(0, int(text.size()) - start - 2));
        } else {
            const int sep = m_v.tzs.isEmpty() ? -1 : int(text.indexOf(m_v.tzs, start));
            if (sep < 0) {
                if (f == 0 && !ersterFeldPruefen)
                    throw Lesefehler{m_i};
                if (frage(QStringLiteral("ZyklusNr. ") + QString::number(nummer)
                          + QStringLiteral(" ist beschädigt!"))
                    != vb::vbOK)
                    throw Abbruch{};
                return false;
            }
            feld = text.mid(start, sep - start);
            start = sep + int(m_v.tzs.size());
        }
        schreiben(ziel, f, feld);
    }
    return true;
}

void Lauf::satzLayout()
{
    if (m_v.zl < 1)
        throw Lesefehler{1};
    QString zeile;
    if (!m_v.kenz1nr.isEmpty()) {
        const int n = vb::CInt(vb::Variant(m_v.kenz1nr));
        for (int k = 0; k < n; ++k)
            if (!lesen(zeile))
                return;
    } else if (!m_v.kenz1kz.isEmpty()) {
        for (;;) {
            if (!lesen(zeile))
                throw Lesefehler{m_i};   // no marker in the file
            if (zeile.contains(m_v.kenz1kz))
                break;
        }
    }
    m_erste = ersteZielzeile();
    int ziel = m_erste;
    int nummer = 0;
    while (lesen(zeile)) {
        if (zeile.isEmpty())
            continue;
        if (m_v.zl > 1 && !zeile.contains(m_v.tzs))
            throw Lesefehler{m_i};
        if (satz(zeile, ziel, nummer, false)) {
            ++ziel;
            ++nummer;
        }
    }
}

void Lauf::einzeilenLayout()
{
    if (m_v.zl < 1)
        throw Lesefehler{1};
    QString zeile;
    if (!lesen(zeile))
        return;
    int start = 0;
    int nummer = 0;
    if (!m_v.kenz1nr.isEmpty()) {
        const int n = vb::CInt(vb::Variant(m_v.kenz1nr));
        for (int k = 0; k < n; ++k) {
            const int e = int(zeile.indexOf(m_v.tzz, start));
            if (e < 0)
                return;
            start = e + int(m_v.tzz.size());
        }
        nummer = n;
    } else if (!m_v.kenz1kz.isEmpty()) {
        const int k = int(zeile.indexOf(m_v.kenz1kz));
        if (k < 0)
            throw Lesefehler{1};   // no marker in the file
        start = k + int(m_v.kenz1kz.size()) + 1;
    }
    m_erste = ersteZielzeile();
    int ziel = m_erste;
    for (;;) {
        const int e = int(zeile.indexOf(m_v.tzz, start + 1));
        if (e < 0 || start >= zeile.size())
            return;
        if (satz(zeile.mid(start, e - start), ziel, nummer, true)) {
            ++ziel;
            ++nummer;
        }
        start = e + int(m_v.tzz.size());
    }
}

void Lauf::abschluss(int datumSpalte, int zeitSpalte)
{
    const int letzte = m_g.Rows() - 1;
    auto jedeZelle = [&](int spalte, const std::function<QString(const QString&)>& f) {
        for (int r = m_erste; r <= letzte; ++r)
            m_g.setTextMatrix(r, spalte, f(m_g.TextMatrix(r, spalte)));
    };
    // 1. Prefixes and suffixes, removed by their length.
    for (size_t k = 0; k < m_v.werte.size(); ++k) {
        const auto& w = m_v.werte[k];
        if (!w.praefix.isEmpty())
            jedeZelle(m_spalte[k], [&](const QString& t) {
                return t.size() > w.praefix.size() ? vb::ohneAnfang(t, w.praefix.size()) : t;
            });
        if (!w.suffix.isEmpty())
            jedeZelle(m_spalte[k], [&](const QString& t) {
                return t.size() > w.suffix.size() ? vb::ganzeZeichen(t, t.size() - w.suffix.size()) : t;
            });
    }
    // 2. and 3. Dates DD.MM.YY and times hh:mm:ss from the positions the preset gives.
    auto umstellen = [&](const QString& muster, const char* a, const char* b, const char* c, const char* c2,
                         int spalte, QChar trenner, const QString& meldung) {
        if (muster.isEmpty())
            return;
        const int pa = int(muster.indexOf(QLatin1String(a)));
        const int pb = int(muster.indexOf(QLatin1String(b)));
        int pc = int(muster.indexOf(QLatin1String(c)));
        if (pc >= 0 && c2)
            pc += 2;
        else if (pc < 0 && c2)
            pc = int(muster.indexOf(QLatin1String(c2)));
        if (pa < 0 || pb < 0 || pc < 0) {
            vb::MsgBox(meldung, vb::vbOKOnly | vb::vbExclamation, kTitel);
            return;
        }
        if (spalte < 0)
            return;
        jedeZelle(spalte, [&](const QString& t) {
            return t.mid(pa, 2) + trenner + t.mid(pb, 2) + trenner + t.mid(pc, 2);
        });
    };
    umstellen(m_v.datum, "TT", "MM", "JJJJ", "JJ", datumSpalte, QLatin1Char('.'),
              QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Datumsformat im Menü "
                             "Elektronikvorgaben eingegeben!"));
    umstellen(m_v.uhrzeit, "hh", "mm", "ss", nullptr, zeitSpalte, QLatin1Char(':'),
              QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Zeitformat im Menü "
                             "Elektronikvorgaben eingegeben!"));
    // 4. Leading decimal signs (dates and times are no numbers).
    for (int spalte : m_spalte) {
        if (spalte == datumSpalte || spalte == zeitSpalte)
            continue;
        jedeZelle(spalte, [](const QString& t) {
            if (t.startsWith(QLatin1String("-.")) || t.startsWith(QLatin1String("-,")))
                return QStringLiteral("-0.") + t.mid(2);
            if (t.startsWith(QLatin1Char('.')) || t.startsWith(QLatin1Char(',')))
                return QStringLiteral("0.") + t.mid(1);
            return t;
        });
    }
    // 5. The device's numbers are written as the user's locale writes them,
    //    as if typed; text that is no number stays.
    for (int spalte : m_spalte) {
        if (spalte == datumSpalte || spalte == zeitSpalte)
            continue;
        jedeZelle(spalte, [](const QString& t) {
            const auto d = FlxImport::geraetezahl(t);
            return d ? vb::CStr(*d) : t;
        });
    }
    // 6. Factors, rounded to three decimals.
    for (size_t k = 0; k < m_v.werte.size(); ++k) {
        const float f = m_v.werte[k].faktor;
        if (f == 1.0f)
            continue;
        jedeZelle(m_spalte[k], [&](const QString& t) {
            const auto d = FlxImport::geraetezahl(t);
            return d ? vb::CStr(vb::Round(*d * double(f), 3)) : t;
        });
    }
}

} // namespace

std::optional<double> FlxImport::geraetezahl(const QString& text)
{
    // Possessive: the blanks before and after the number are never shared
    // out between the two runs, which would try every split of a field of
    // blanks that is no number.
    static const QRegularExpression zahl(
        QStringLiteral("^\\s*+([+-]?)(\\d*+)(?:[.,](\\d*+))?(?:[eE]([+-]?\\d{1,3}+))?\\s*+$"));
    const auto m = zahl.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString ganz = m.captured(2);
    const QString bruch = m.captured(3);
    if (ganz.isEmpty() && bruch.isEmpty())
        return std::nullopt;
    QString norm = m.captured(1) + (ganz.isEmpty() ? QStringLiteral("0") : ganz);
    if (!bruch.isEmpty())
        norm += QLatin1Char('.') + bruch;
    if (m.capturedLength(4) > 0)
        norm += QLatin1Char('e') + m.captured(4);
    bool ok = false;
    const double d = norm.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

QStringList FlxImport::zeilen(const QByteArray& inhalt)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(inhalt);
    if (utf8.hasError())
        text = vb::fromCp1252(inhalt);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList l = text.split(QLatin1Char('\n'));
    for (QString& z : l)
        if (z.endsWith(QLatin1Char('\r')))
            z.chop(1);
    // Empty lines at the end are no records.
    while (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

bool FlxImport::importieren(clsFLX& flx, const Elektronikvorgabe& gelesen, const QByteArray& inhalt,
                            const QString& name)
{
    // "<BLANK>" and "<TAB>" stand for a blank and a tab in the separators.
    Elektronikvorgabe vorgabe = gelesen;
    vorgabe.tzs = platzhalter(vorgabe.tzs);
    vorgabe.tzz = platzhalter(vorgabe.tzz);

    FlexGrid* g = flx.m_flx;
    if (!g || !g->Enabled())
        return false;
    vb::WaitPointer sanduhr;
    // A preset without a valid line count reads nothing.
    if (vorgabe.zl <= 0)
        return false;

    // What the grid held, for an import that ends without success.
    const int zeilenVorher = g->Rows();
    std::vector<QStringList> vorher;
    for (int r = 0; r < g->Rows(); ++r) {
        QStringList z;
        for (int c = 0; c < g->Cols(); ++c)
            z << g->TextMatrix(r, c);
        vorher.push_back(z);
    }
    auto zuruecksetzen = [&] {
        g->setRows(zeilenVorher);
        for (int r = 0; r < zeilenVorher; ++r)
            for (int c = 0; c < g->Cols(); ++c)
                g->setTextMatrix(r, c, vorher[size_t(r)][c]);
    };

    const QStringList zeilen = FlxImport::zeilen(inhalt);
    Lauf lauf(*g, vorgabe, zeilen);
    try {
        lauf.zielspalten(flx.m_lselek);
        if (vorgabe.tzs.isEmpty())
            lauf.zeilenLayout();
        else if (vorgabe.tzz.isEmpty())
            lauf.satzLayout();
        else
            lauf.einzeilenLayout();
        lauf.abschluss(flx.m_spez.datum, flx.m_spez.zeit);
        flx.AKTUALISIEREN();
        flx.NUMMERIEREN();
        return true;
    } catch (const Abbruch&) {
        zuruecksetzen();
        return false;
    } catch (const Unpassend&) {
        unpassendMelden(vorgabe);
        return false;
    } catch (const Lesefehler& f) {
        zuruecksetzen();
        vb::MsgBox(QStringLiteral("Die Elektronikdatei ") + name + QStringLiteral(" kann in Zeile ")
                       + QString::number(std::max(1, f.zeile))
                       + QStringLiteral(" nicht gelesen werden. Es wurde nichts importiert."),
                   vb::vbOKOnly | vb::vbExclamation, kTitel);
        return false;
    } catch (...) {
        // Any other failure (an overflowing cycle count, a missing key list).
        const vb::VbError e = vb::currentVbError();
        zuruecksetzen();
        vb::MsgBox(QStringLiteral("Die Elektronikdatei ") + name
                       + QStringLiteral(" kann nicht gelesen werden. Es wurde nichts importiert.") + QLatin1Char('\n')
                       + vb::kVbError + QString::number(e.number) + QLatin1Char('\n') + e.description,
                   vb::vbOKOnly | vb::vbExclamation, kTitel);
        return false;
    }
}

int Elektronikvorgabe::werteImRaster(const clsFLX& flx) const
{
    const FlexGrid* g = flx.EFLX();
    if (!g)
        return 0;
    int n = 0;
    try {
        const FlxWert schluessel = flx.ELSELEK();
        for (const auto& w : werte)
            if (spalteMitSchluessel(*g, schluessel, w.spalte) >= 0)
                ++n;
    } catch (...) {
        return 0;   // a grid without its key list takes no value
    }
    return n;
}

bool Elektronikvorgabe::laden(const QString& AKVK, Elektronikvorgabe& v)
{
    v = Elektronikvorgabe();
    v.akvk = AKVK;
    clsDATEN P;
    P.EBOV(true);
    P.ETABELLE(QStringLiteral("KAVELOR_VE1"));
    // The preset by its key, then its rows by their number IDK.
    P.ESPID(QString());
    P.ESPK1(QStringLiteral("AKVK"));
    P.ESPK1W(AKVK);
    int32_t idk = 0;
    // Settings that cannot be read stay empty; the import goes on.
    P.DTVL(QStringLiteral("IDK"), idk);
    P.ESPK1(QString());
    P.ESPID(QStringLiteral("IDK"));
    P.ESPIDW(idk);
    P.DTVI(QStringLiteral("ZL"), v.zl);
    P.DTVT(QStringLiteral("DATUM"), v.datum);
    P.DTVT(QStringLiteral("UHRZEIT"), v.uhrzeit);
    P.DTVT(QStringLiteral("KENZ1NR"), v.kenz1nr);
    P.DTVT(QStringLiteral("KENZ1KZ"), v.kenz1kz);
    P.DTVT(QStringLiteral("TZS"), v.tzs);
    P.DTVT(QStringLiteral("TZZ"), v.tzz);

    P.ETABELLE(QStringLiteral("KAVELOR_VE2"));
    int16_t mini = 0;
    int16_t maxi = 0;
    int16_t an = 0;
    P.INDEX(mini, maxi, an, QStringLiteral("MNR"));
    if (an == 0)
        return true;
    for (int m = mini; m <= maxi; ++m) {
        Elektronikvorgabe::Messwert w;
        const Wert mnr = vb::Variant(int16_t(m));
        const QString mnrSpalte = QStringLiteral("MNR");
        vb::Variant position;
        vb::Variant faktor;
        if (!P.DTVT(QStringLiteral("SPALTE"), w.spalte, mnrSpalte, mnr)
            || !P.DTVV(QStringLiteral("POSITION"), position, mnrSpalte, mnr)
            || !P.DTVT(QStringLiteral("PRAEFIX"), w.praefix, mnrSpalte, mnr)
            || !P.DTVT(QStringLiteral("SUFFIX"), w.suffix, mnrSpalte, mnr)
            || !P.DTVV(QStringLiteral("FAKTOR"), faktor, mnrSpalte, mnr)
            || !P.DTVT(QStringLiteral("FORMAT"), w.format, mnrSpalte, mnr))
            return false;
        if (!position.isEmpty() && !position.isNull())
            w.position = vb::CDbl(position);
        // A factor left empty leaves the value as read.
        w.faktor = faktor.isEmpty() || faktor.isNull() ? 1.0f : vb::CSng(faktor);
        v.werte.push_back(w);
    }
    return true;
}

bool FlxImport::mitAuswahl(clsFLX& flx, const QString& ordner)
{
    if (!flx.EFLX() || !flx.EFLX()->Enabled())
        return false;
    QStringList schluessel;
    {
        clsDATEN P;
        P.EBOV(true);
        P.ESPID(QString());
        P.ETABELLE(QStringLiteral("KAVELOR_VE1"));
        std::shared_ptr<clsDATEN::Collection> liste;
        if (P.DTVCOL(QStringLiteral("AKVK"), liste, QStringLiteral("AKVK")) && liste)
            for (const vb::Variant& v : *liste)
                if (!vb::CStr(v).isEmpty() && !schluessel.contains(vb::CStr(v)))
                    schluessel << vb::CStr(v);
    }
    if (schluessel.isEmpty()) {
        vb::MsgBox(QStringLiteral("Es sind keine Elektronikvorgaben vorhanden."), vb::vbOKOnly | vb::vbExclamation,
                   kTitel);
        return false;
    }
    // The preset with the most values for this grid's columns is offered
    // first; when none has any, no preset is: the pick starts on an empty line.
    QString vorschlag;
    int besteTreffer = 0;
    std::map<QString, Elektronikvorgabe> geladen;
    for (const QString& k : schluessel) {
        Elektronikvorgabe v;
        if (!Elektronikvorgabe::laden(k, v))
            continue;
        const int treffer = v.werteImRaster(flx);
        if (treffer > besteTreffer) {
            besteTreffer = treffer;
            vorschlag = k;
        }
        geladen.emplace(k, std::move(v));
    }
    if (vorschlag.isEmpty())
        schluessel.prepend(QString());
    bool abgebrochen = false;
    const QString AKVK = vb::ChoiceBox(QStringLiteral("Elektronikvorgabe:"), QStringLiteral("Elektronikvorgaben"),
                                       schluessel, &abgebrochen, vorschlag);
    if (abgebrochen || AKVK.isEmpty())
        return false;
    // A preset of another grid is refused at the pick, before the user
    // looks for a device file it could not import.
    if (const auto v = geladen.find(AKVK);
        v != geladen.end() && !v->second.werte.empty() && v->second.werteImRaster(flx) == 0) {
        unpassendMelden(v->second);
        return false;
    }
    vb::FileDialogCall datei;
    datei.title = QStringLiteral("Elektronikdatei");
    datei.directory = ordner;
    datei.filter = QStringLiteral("Elektronikdateien (*.txt *.dat *.csv);;Alle Dateien (*)");
    const QString pfad = vb::ShowOpen(datei);
    if (pfad.isEmpty())
        return false;
    return flx.IMPORTIEREN(AKVK, pfad);
}

bool clsFLX::IMPORTIEREN(const QString& AKVK, const QString& DATEI)
{
    if (!m_flx || !m_flx->Enabled())
        return false;
    Elektronikvorgabe vorgabe;
    {
        vb::WaitPointer sanduhr;
        if (!Elektronikvorgabe::laden(AKVK, vorgabe))
            return false;
    }
    if (vorgabe.zl <= 0)
        return false;
    QByteArray inhalt;
    {
        // The device file is read at once and closed on every path.
        QFile datei(DATEI);
        if (!datei.open(QIODevice::ReadOnly)) {
            vb::MsgBox(QStringLiteral("Die Elektronikdatei ") + QFileInfo(DATEI).fileName()
                           + QStringLiteral(" kann nicht geöffnet werden. Es wurde nichts importiert."),
                       vb::vbOKOnly | vb::vbExclamation, kTitel);
            return false;
        }
        inhalt = datei.readAll();
    }
    return FlxImport::importieren(*this, vorgabe, inhalt, QFileInfo(DATEI).fileName());
}

} // namespace grid
