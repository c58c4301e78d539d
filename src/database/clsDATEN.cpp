#include "database/clsDATEN.h"

#include "database/Schreibsperre.h"
#include "database/SharedState.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

using db::Recordset;
using db::detail::Schreibsperre;
using db::detail::wiederEintritt;
using vb::Variant;

namespace {

const QString kDatenfehler = QStringLiteral("Datenfehler");

// A value in its default text form for the boxes ("" for Empty and Null).
QString wertText(const Variant& v)
{
    if (v.isEmpty() || v.isNull())
        return QString();
    try {
        return vb::CStr(v);
    } catch (const vb::VbError&) {
        return v.text();
    }
}

// One write of the accessor runs in a transaction of its own for speed. What
// it stored before an error stays stored: the transaction is committed on
// every path (an outer transaction of the caller decides for itself).
struct Schreibvorgang {
    db::Connection& c;
    bool offen = false;
    explicit Schreibvorgang(db::Connection& cnn) : c(cnn)
    {
        c.beginTransaction();
        offen = true;
    }
    // End of a successful write: a failing commit is the write's failure.
    void fertig()
    {
        offen = false;
        c.commitTransaction();
    }
    ~Schreibvorgang()
    {
        if (!offen)
            return;
        try {
            c.commitTransaction();
        } catch (...) {
            c.rollbackTransaction();
        }
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Binding

clsDATEN::clsDATEN()
{
    vb::StepRunner op(kDatenfehler, vb::kVbError);
    std::unique_ptr<Recordset> rs;
    op.step([&] {
        m_cnn = db::sharedState().cnnX;
        m_etabelle = QStringLiteral("E1");
        m_espid = QStringLiteral("ID");
    });
    op.step([&] {
        if (!m_cnn)
            vb::raise(vb::err::ObjectNotSet);
        rs = m_cnn->openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), {}, db::Connection::Cursor::ReadOnly);
    });
    op.step([&] {
        if (!rs)
            vb::raise(db::dberr::ObjectClosed, QStringLiteral("Die Datensatzgruppe ist geschlossen."));
        if (rs->eof()) {
            m_espidw = 0;
        } else {
            rs->moveFirst();
            m_espidw = vb::CLng(rs->field(0));
        }
    });
    op.step([&] {
        if (rs)
            rs->close();
        rs.reset();
    });
    op.run();
}

clsDATEN::~clsDATEN() = default;

void clsDATEN::EBOV(bool flag)
{
    const db::SharedState& s = db::sharedState();
    if (flag)
        m_cnn = s.entwicklungsmodus() ? s.cnnX : s.cnnX_V;
    else
        m_cnn = s.cnnX;
}

void clsDATEN::EINFMDB(const QString& name, bool* BOINF)
{
    vb::StepRunner op(QStringLiteral("Datenzugriff - Datenbank ") + name, vb::kVbError);
    QString pfad;
    bool ende = false;
    std::shared_ptr<db::Connection> neu;
    op.step([&] { m_einfmdb = name; });
    op.step([&] {
        const db::SharedState& s = db::sharedState();
        if (s.entwicklungsmodus())
            pfad = s.PROJEKTSPFAD + QLatin1Char('/') + s.PROJEKT + QLatin1Char('/') + name + QStringLiteral(".mdb");
        else
            pfad = s.DATENBANKPFAD() + QLatin1Char('/') + name + QStringLiteral(".mdb");
    });
    op.step([&] {
        if (!QFileInfo(pfad).isFile()) {
            if (BOINF)
                *BOINF = false;
            ende = true;
        }
    });
    op.step([&] {
        if (ende)
            return;
        // The previous connection stays until the new one is open: a file
        // that cannot be opened is reported and leaves the accessor working.
        ende = true;
        if (BOINF)
            *BOINF = false;
        neu = db::Connection::open(pfad);
        m_cnn = neu;
        ende = false;
    });
    op.step([&] {
        if (!ende && BOINF)
            *BOINF = true;
    });
    op.run();
}

// ---------------------------------------------------------------------------
// Keyed selection

clsDATEN::Kriterien clsDATEN::kriterien(const QString& SPI1, const Wert& SPI1W, const QString& SPI2,
                                        const Wert& SPI2W, const QString& SPI3, const Wert& SPI3W,
                                        const QString& SPI4, const Wert& SPI4W)
{
    Kriterien k;
    k.spalte[0] = SPI1;
    k.spalte[1] = SPI2;
    k.spalte[2] = SPI3;
    k.spalte[3] = SPI4;
    k.wert[0] = SPI1W;
    k.wert[1] = SPI2W;
    k.wert[2] = SPI3W;
    k.wert[3] = SPI4W;
    return k;
}

namespace {
// A criterion value as it is bound: converted by the column's declared type,
// as the database would compare it. A Null or Empty value cannot be compared.
Variant gebunden(const std::shared_ptr<db::Connection>& cnn, const QString& tabelle, const QString& spalte,
                 const Variant& wert)
{
    if (wert.isNull() || wert.isEmpty())
        vb::raise(vb::err::InvalidUseOfNull,
                  vb::errorDescription(vb::err::InvalidUseOfNull) + QStringLiteral(" (") + spalte + QLatin1Char(')'));
    if (!cnn || !cnn->isOpen())
        return wert;
    const db::ColumnType t = cnn->columnType(tabelle, spalte);
    if (t == db::ColumnType::Other)
        return wert;
    return db::convertForColumn(wert, t);
}

QString klammer(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

// The order of a selection: by the first column when it is named, then by
// each later one that is named (a later one without the first leaves a
// clause that begins with a comma, which the database rejects).
QString ordnung(const QString (&spalten)[4])
{
    QString o;
    if (!spalten[0].isEmpty())
        o = QStringLiteral(" ORDER BY ") + klammer(spalten[0]);
    for (int i = 1; i < 4; ++i)
        if (!spalten[i].isEmpty())
            o += QLatin1Char(',') + klammer(spalten[i]);
    return o;
}
} // namespace

clsDATEN::Abfrage clsDATEN::abfrage(const QString& SPV, const Kriterien& k) const
{
    Abfrage a;
    QString spalten = klammer(SPV);
    if (!m_espid.isEmpty())
        spalten += QLatin1Char(',') + klammer(m_espid);
    for (const QString& s : k.spalte)
        if (!s.isEmpty())
            spalten += QLatin1Char(',') + klammer(s);
    for (const QString& s : m_espk)
        if (!s.isEmpty())
            spalten += QLatin1Char(',') + klammer(s);

    QString bedingung;
    if (!m_espid.isEmpty()) {
        bedingung = QStringLiteral(" WHERE [") + m_espid + QStringLiteral("] = ?");
        a.params.push_back(Variant(static_cast<int>(m_espidw)));
    }
    for (int i = 0; i < 4; ++i) {
        if (!k.wert[i])
            continue;
        // Without an owner key the first criterion opens the condition.
        bedingung += (bedingung.isEmpty() ? QStringLiteral(" WHERE [") : QStringLiteral(" AND [")) + k.spalte[i]
                     + QStringLiteral("]=?");
        a.params.push_back(gebunden(m_cnn, m_etabelle, k.spalte[i], *k.wert[i]));
    }
    if (!m_espk[0].isEmpty()) {
        bedingung += (bedingung.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND "))
                     + klammer(m_espk[0]) + QStringLiteral(" =?");
        a.params.push_back(Variant(m_espkw[0]));
    }
    if (!m_espk[1].isEmpty()) {
        bedingung += QStringLiteral(" AND ") + klammer(m_espk[1]) + QStringLiteral(" =?");
        a.params.push_back(Variant(m_espkw[1]));
    }
    if (!m_espk[2].isEmpty()) {
        bedingung += QStringLiteral("  AND ") + klammer(m_espk[2]) + QStringLiteral(" =?");
        a.params.push_back(Variant(m_espkw[2]));
    }

    a.sql = QStringLiteral("SELECT ") + spalten + QStringLiteral(" FROM ") + klammer(m_etabelle) + bedingung
            + ordnung(k.spalte);
    return a;
}

clsDATEN::Abfrage clsDATEN::DTAbfrage(const QString& SPV, const QString& SPI1, const Wert& SPI1W,
                                      const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                                      const Wert& SPI3W, const QString& SPI4, const Wert& SPI4W) const
{
    return abfrage(SPV, kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W));
}

std::unique_ptr<Recordset> clsDATEN::oeffnen(const QString& SPV, const Kriterien& k, bool schreibbar) const
{
    if (!m_cnn)
        vb::raise(vb::err::ObjectNotSet);
    const Abfrage a = abfrage(SPV, k);
    return m_cnn->openRecordset(a.sql, a.params,
                                schreibbar ? db::Connection::Cursor::Static : db::Connection::Cursor::ReadOnly);
}

std::unique_ptr<Recordset> clsDATEN::DT(const QString& SPV, const QString& SPI1, const Wert& SPI1W,
                                        const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                                        const Wert& SPI3W, const QString& SPI4, const Wert& SPI4W) const
{
    return oeffnen(SPV, kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W));
}

// ---------------------------------------------------------------------------
// Row writer and reader

bool clsDATEN::schreiben(const QString& SPV, const std::vector<Variant>& werte, const Kriterien& k)
{
    try {
        // A call from the message loop while this accessor's writer is
        // between rows would work on rows the running loop is changing.
        if (m_schreibtGerade)
            wiederEintritt();
        Schreibsperre sperre(m_schreibtGerade);
        if (werte.size() > 32768)
            vb::raise(vb::err::Overflow);
        auto rs = oeffnen(SPV, k);
        Schreibvorgang tx(*m_cnn);
        const Variant schluessel(static_cast<int>(m_espidw));
        for (size_t i = 0; i < werte.size(); ++i) {
            if (rs->eof())
                rs->addNew();
            else if (i == 0)
                rs->moveFirst();
            const Variant& w = werte[i];
            if (w.isString() && w.text().isEmpty())
                rs->setField(0, Variant::null());
            else
                rs->setField(0, w);
            rs->setField(m_espid, schluessel);
            for (int c = 0; c < 4; ++c)
                if (k.wert[c])
                    rs->setField(k.spalte[c], *k.wert[c]);
            for (int t = 0; t < 3; ++t)
                if (!m_espk[t].isEmpty() && !m_espkw[t].isEmpty())
                    rs->setField(m_espk[t], Variant(m_espkw[t]));
            rs->update();
            if (!rs->eof())
                rs->moveNext();
            db::sharedState().nachrichtenLaufenLassen();
        }
        while (!rs->eof()) {
            rs->deleteRow();
            rs->moveNext();
        }
        rs->close();
        tx.fertig();
        return true;
    } catch (...) {
        return false;
    }
}

bool clsDATEN::lesen(const QString& SPV, std::vector<Variant>& werte, const Kriterien& k)
{
    try {
        if (werte.size() > 32768)
            vb::raise(vb::err::Overflow);
        auto rs = oeffnen(SPV, k, false);
        if (!rs->eof()) {
            rs->moveFirst();
            for (size_t i = 0; i < werte.size(); ++i) {
                Variant v = rs->field(0);
                if (!v.isNull())
                    werte[i] = std::move(v);
                rs->moveNext();
                if (rs->eof())
                    break;
            }
        }
        rs->close();
        return true;
    } catch (...) {
        return false;
    }
}

bool clsDATEN::DSCHREIBEN(const QString& SPV, const std::vector<Variant>& werte, const QString& SPI1,
                          const Wert& SPI1W, const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                          const Wert& SPI3W, const QString& SPI4, const Wert& SPI4W)
{
    return schreiben(SPV, werte, kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W));
}

bool clsDATEN::DLESEN(const QString& SPV, std::vector<Variant>& werte, const QString& SPI1, const Wert& SPI1W,
                      const QString& SPI2, const Wert& SPI2W, const QString& SPI3, const Wert& SPI3W,
                      const QString& SPI4, const Wert& SPI4W)
{
    return lesen(SPV, werte, kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W));
}

// ---------------------------------------------------------------------------
// Runs

clsDATEN::Lauf::Lauf(clsDATEN& dat) : m_dat(dat)
{
    if (!m_dat.m_cnn || !m_dat.m_cnn->isOpen() || m_dat.m_imLauf)
        return;
    try {
        m_batch = std::make_unique<db::Connection::Batch>(*m_dat.m_cnn);
        m_dat.m_imLauf = true;
        m_dat.m_ersterWert.reset();
    } catch (...) {
        // Without a run every read and write takes its own transaction.
    }
}

clsDATEN::Lauf::~Lauf()
{
    beenden();
}

bool clsDATEN::Lauf::beenden()
{
    if (!m_batch)
        return true;
    auto batch = std::move(m_batch);
    m_dat.m_imLauf = false;
    const auto erster = std::exchange(m_dat.m_ersterWert, std::nullopt);
    try {
        batch->commit();
        return true;
    } catch (...) {
        if (erster)
            m_dat.schreibFehler(erster->first, erster->second);
        return false;
    }
}

// ---------------------------------------------------------------------------
// Boxes

void clsDATEN::schreibFehler(const QString& SPV, const Variant& wert) const
{
    vb::MsgBox(QStringLiteral("Wert ") + wertText(wert) + QStringLiteral(" kann nicht in die Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + m_etabelle + QStringLiteral(" gespeichert werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDatenfehler);
}

void clsDATEN::schreibFehlerFeld(const QString& SPV) const
{
    vb::MsgBox(QStringLiteral("Werte können nicht in Spalte ") + SPV + QStringLiteral(" der Tabelle ") + m_etabelle
                   + QStringLiteral(" gespeichert werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDatenfehler);
}

void clsDATEN::leseFehler(const QString& SPV, const Variant& wert) const
{
    vb::MsgBox(QStringLiteral("Wert ") + wertText(wert) + QStringLiteral(" kann nicht aus der Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + m_etabelle + QStringLiteral(" eingelesen werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDatenfehler);
}

// ---------------------------------------------------------------------------
// Variable and array writes

#define KRIT_DEF                                                                                         \
    const QString &SPI1, const Wert &SPI1W, const QString &SPI2, const Wert &SPI2W, const QString &SPI3, \
        const Wert &SPI3W, const QString &SPI4, const Wert &SPI4W
#define KRIT kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W)

namespace {
template <class T, class F>
std::vector<Variant> alsVarianten(const std::vector<T>& feld, F f)
{
    std::vector<Variant> out;
    out.reserve(feld.size());
    for (const auto& x : feld)
        out.push_back(f(x));
    return out;
}
} // namespace

// A scalar write is an array write of one element (the transfer buffer); a
// failure shows the box for a value, naming the value that was to be stored.
bool clsDATEN::wertSchreiben(const QString& SPV, const Variant& wert, const Kriterien& k)
{
    const std::vector<Variant> puffer{wert};
    if (schreiben(SPV, puffer, k)) {
        if (m_imLauf && !m_ersterWert)
            m_ersterWert = std::make_pair(SPV, wert);
        return true;
    }
    schreibFehler(SPV, puffer[0]);
    return false;
}

bool clsDATEN::werteSchreiben(const QString& SPV, const std::vector<Variant>& werte, const Kriterien& k)
{
    if (schreiben(SPV, werte, k))
        return true;
    schreibFehlerFeld(SPV);
    return false;
}

bool clsDATEN::DVTA(const QString& SPV, const QDateTime& DTM, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant::date(DTM), KRIT);
}

bool clsDATEN::DVTB(const QString& SPV, bool BO, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(BO), KRIT);
}

bool clsDATEN::DVTBF(const QString& SPV, const std::vector<bool>& BO, KRIT_DEF)
{
    return werteSchreiben(SPV, alsVarianten(BO, [](bool b) { return Variant(b); }), KRIT);
}

bool clsDATEN::DVTT(const QString& SPV, const QString& TXT, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(TXT), KRIT);
}

bool clsDATEN::DVTTF(const QString& SPV, const std::vector<QString>& TXT, KRIT_DEF)
{
    return werteSchreiben(SPV, alsVarianten(TXT, [](const QString& t) { return Variant(t); }), KRIT);
}

bool clsDATEN::DVTI(const QString& SPV, int16_t I, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(I), KRIT);
}

bool clsDATEN::DVTIF(const QString& SPV, const std::vector<int16_t>& ZAHLEN, KRIT_DEF)
{
    return werteSchreiben(SPV, alsVarianten(ZAHLEN, [](int16_t i) { return Variant(i); }), KRIT);
}

bool clsDATEN::DVTL(const QString& SPV, int32_t L, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(static_cast<int>(L)), KRIT);
}

bool clsDATEN::DVTS(const QString& SPV, float ZAHL, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(ZAHL), KRIT);
}

bool clsDATEN::DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, KRIT_DEF)
{
    return werteSchreiben(SPV, alsVarianten(ZAHLEN, [](float f) { return Variant(f); }), KRIT);
}

bool clsDATEN::DVTD(const QString& SPV, double ZAHL, KRIT_DEF)
{
    return wertSchreiben(SPV, Variant(ZAHL), KRIT);
}

bool clsDATEN::DVTV(const QString& SPV, const Variant& WERT, KRIT_DEF)
{
    return wertSchreiben(SPV, WERT, KRIT);
}

bool clsDATEN::DVTVF(const QString& SPV, const std::vector<Variant>& FELD, KRIT_DEF)
{
    return werteSchreiben(SPV, FELD, KRIT);
}

// ---------------------------------------------------------------------------
// Variable, array and collection reads

namespace {
bool ganzzahlig(db::ColumnType t)
{
    return t == db::ColumnType::Integer || t == db::ColumnType::Long || t == db::ColumnType::Boolean;
}
} // namespace

bool clsDATEN::ausDemSpeicher(const QString& SPV, const Kriterien& k, Variant& wert) const
{
    // Served from memory: the owner's rows of the table, selected by whole
    // number criteria that all carry a value. Anything else (text keys,
    // criteria that only order, a column the rows lack) takes the query,
    // which also reports what is wrong.
    if (!m_cnn || m_espid.isEmpty() || !m_cnn->inBatch())
        return false;
    for (const QString& t : m_espk)
        if (!t.isEmpty())
            return false;
    for (int i = 0; i < 4; ++i)
        if (k.spalte[i].isEmpty() != !k.wert[i])
            return false;
    const db::Connection::Rows* zeilen =
        m_cnn->batchRows(m_etabelle, m_espid, Variant(static_cast<int>(m_espidw)));
    if (!zeilen)
        return false;
    const int spalte = zeilen->column(SPV);
    if (spalte < 0)
        return false;
    int kriterium[4] = {-1, -1, -1, -1};
    double soll[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (!k.wert[i])
            continue;
        kriterium[i] = zeilen->column(k.spalte[i]);
        if (kriterium[i] < 0 || !ganzzahlig(zeilen->types[size_t(kriterium[i])]))
            return false;
        // Converted as the query binds it; a value that doesn't convert takes
        // the query, which reports it.
        if (k.wert[i]->isNull() || k.wert[i]->isEmpty())
            return false;
        try {
            soll[i] = db::convertForColumn(*k.wert[i], zeilen->types[size_t(kriterium[i])]).number();
        } catch (...) {
            return false;
        }
    }
    // The first row in storage order that meets every criterion, as the
    // query's index delivers it; a Null never equals a value.
    auto passt = [&](const std::vector<Variant>& zeile) {
        for (int i = 0; i < 4; ++i) {
            if (kriterium[i] < 0)
                continue;
            const Variant& v = zeile[size_t(kriterium[i])];
            if (v.isNull() || v.isEmpty() || v.number() != soll[i])
                return false;
        }
        return true;
    };
    auto nehmen = [&](const std::vector<Variant>& zeile) {
        const Variant& v = zeile[size_t(spalte)];
        wert = v.isNull() ? Variant() : v;
        return true;
    };
    wert = Variant();
    if (kriterium[0] < 0 && kriterium[1] < 0 && kriterium[2] < 0 && kriterium[3] < 0)
        return zeilen->values.empty() || nehmen(zeilen->values.front());
    const int erstes = kriterium[0] >= 0 ? 0 : kriterium[1] >= 0 ? 1 : kriterium[2] >= 0 ? 2 : 3;
    for (int r : zeilen->matching(kriterium[erstes], soll[erstes]))
        if (passt(zeilen->values[size_t(r)]))
            return nehmen(zeilen->values[size_t(r)]);
    return true;
}

bool clsDATEN::skalarLesen(const QString& SPV, const Kriterien& k, Variant& wert)
{
    if (ausDemSpeicher(SPV, k, wert))
        return true;
    std::vector<Variant> puffer(1);
    if (!lesen(SPV, puffer, k)) {
        leseFehler(SPV, puffer[0]);
        return false;
    }
    wert = puffer[0];
    return true;
}

namespace {
// Hands the value a scalar read found to its target: an empty buffer (no row,
// or Null) gives the zero value; a value that does not convert raises to the
// calling operation and leaves the target as it was.
template <class T, class F>
bool zuweisen(bool gelesen, const Variant& wert, T& ziel, const T& null, F umwandeln)
{
    if (!gelesen)
        return false;
    ziel = wert.isEmpty() ? null : T(umwandeln(wert));
    return true;
}
} // namespace

bool clsDATEN::DTVA(const QString& SPV, QDateTime& DATUM, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, DATUM, vb::fromOleDate(0.0),
                    [](const Variant& v) { return vb::CDate(v).toDateTime(); });
}

bool clsDATEN::DTVB(const QString& SPV, bool& BO, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, BO, false, [](const Variant& v) { return vb::CBool(v); });
}

bool clsDATEN::DTVT(const QString& SPV, QString& TXT, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, TXT, QString(), [](const Variant& v) { return vb::CStr(v); });
}

bool clsDATEN::DTVI(const QString& SPV, int16_t& I, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, I, int16_t(0), [](const Variant& v) { return vb::CInt(v); });
}

bool clsDATEN::DTVL(const QString& SPV, int32_t& L, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, L, int32_t(0), [](const Variant& v) { return vb::CLng(v); });
}

bool clsDATEN::DTVS(const QString& SPV, float& ZAHL, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, ZAHL, 0.0f, [](const Variant& v) { return vb::CSng(v); });
}

bool clsDATEN::DTVD(const QString& SPV, double& ZAHL, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, ZAHL, 0.0, [](const Variant& v) { return vb::CDbl(v); });
}

bool clsDATEN::DTVV(const QString& SPV, Variant& WERT, KRIT_DEF)
{
    Variant w;
    return zuweisen(skalarLesen(SPV, KRIT, w), w, WERT, Variant(), [](const Variant& v) { return v; });
}

bool clsDATEN::feldLesen(const QString& SPV, const Kriterien& k,
                         const std::function<void(int, const Variant&)>& setzen)
{
    const QString kopf = QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + m_etabelle
                         + QStringLiteral(" können nicht aus der Spalte ") + SPV
                         + QStringLiteral(" eingelesen werden!\n");
    vb::StepRunner falle(kDatenfehler, vb::kVbError);
    falle.textBuilder([&](const vb::VbError& e) { return kopf + vb::errorText(vb::kVbError, e); });
    auto melden = [&](const std::exception& e) { return falle.report(vb::toVbError(e)); };

    std::unique_ptr<Recordset> rs;
    try {
        rs = oeffnen(SPV, k, false);
    } catch (const std::exception& e) {
        // OK: nothing could be read, the transfer ends as it reached its end.
        return melden(e);
    }
    if (!rs->eof()) {
        rs->moveFirst();
        int position = 0;
        while (!rs->eof()) {
            try {
                if (position > 32767)
                    vb::raise(vb::err::Overflow);
                const Variant& v = rs->field(0);
                if (!v.isNull())
                    setzen(position, v);
            } catch (const std::exception& e) {
                if (!melden(e))
                    return false;
            }
            rs->moveNext();
            ++position;
        }
    }
    rs->close();
    return true;
}

namespace {
template <class T>
T& element(std::vector<T>& feld, int position)
{
    if (position < 0 || size_t(position) >= feld.size())
        vb::raise(vb::err::SubscriptOutOfRange);
    return feld[size_t(position)];
}
} // namespace

bool clsDATEN::DTVAF(const QString& SPV, std::vector<QDateTime>& DATUM, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) {
        auto& z = element(DATUM, i);
        z = vb::CDate(v).toDateTime();
    });
}

bool clsDATEN::DTVBF(const QString& SPV, std::vector<bool>& BO, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) {
        if (i < 0 || size_t(i) >= BO.size())
            vb::raise(vb::err::SubscriptOutOfRange);
        BO[size_t(i)] = vb::CBool(v);
    });
}

bool clsDATEN::DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) {
        auto& z = element(ZAHLEN, i);
        z = vb::CStr(v);
    });
}

bool clsDATEN::DTVIF(const QString& SPV, std::vector<int16_t>& ZAHLEN, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) {
        auto& z = element(ZAHLEN, i);
        z = vb::CInt(v);
    });
}

bool clsDATEN::DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) {
        auto& z = element(ZAHLEN, i);
        z = vb::CSng(v);
    });
}

bool clsDATEN::DTVVF(const QString& SPV, std::vector<Variant>& ZAHLEN, KRIT_DEF)
{
    return feldLesen(SPV, KRIT, [&](int i, const Variant& v) { element(ZAHLEN, i) = v; });
}

bool clsDATEN::DTVCOL(const QString& SPV, std::shared_ptr<Collection>& X, KRIT_DEF)
{
    try {
        auto rs = oeffnen(SPV, KRIT, false);
        if (!rs->eof()) {
            rs->moveFirst();
            X = std::make_shared<Collection>();
            while (!rs->eof()) {
                const Variant& v = rs->field(0);
                if (!v.isNull())
                    X->push_back(v);
                rs->moveNext();
            }
        }
        rs->close();
        return true;
    } catch (...) {
        return false;
    }
}

std::vector<int32_t> clsDATEN::leereZeilen(const QString& SPI) const
{
    if (!m_cnn)
        vb::raise(vb::err::ObjectNotSet);
    // Columns that only place a row: the owner key, the text keys, the index.
    auto schluessel = [&](const QString& name) {
        auto gleich = [&](const QString& s) { return !s.isEmpty() && name.compare(s, Qt::CaseInsensitive) == 0; };
        return gleich(m_espid) || gleich(SPI) || gleich(m_espk[0]) || gleich(m_espk[1]) || gleich(m_espk[2]);
    };
    std::vector<int32_t> leer, belegt;
    auto einordnen = [&](const Variant& index, bool nurSchluessel) {
        if (!index.isNull())
            (nurSchluessel ? leer : belegt).push_back(vb::CLng(index));
    };
    // A number that one of its rows fills is not empty.
    auto ergebnis = [&] {
        std::erase_if(leer, [&](int32_t n) { return std::find(belegt.begin(), belegt.end(), n) != belegt.end(); });
        return leer;
    };
    // Inside a composition the owner's rows are in memory already.
    const bool nurZahlschluessel = m_espk[0].isEmpty() && m_espk[1].isEmpty() && m_espk[2].isEmpty();
    if (!m_espid.isEmpty() && nurZahlschluessel && m_cnn->inBatch()) {
        if (const db::Connection::Rows* zeilen =
                m_cnn->batchRows(m_etabelle, m_espid, Variant(static_cast<int>(m_espidw)))) {
            const int indexSpalte = zeilen->column(SPI);
            if (indexSpalte >= 0) {
                std::vector<bool> istSchluessel;
                for (const QString& spalte : zeilen->columns)
                    istSchluessel.push_back(schluessel(spalte));
                for (const auto& zeile : zeilen->values) {
                    bool nichts = true;
                    for (size_t k = 0; k < zeile.size() && nichts; ++k)
                        nichts = istSchluessel[k] || zeile[k].isNull()
                                 || (zeile[k].isString() && zeile[k].text().isEmpty());
                    einordnen(zeile[size_t(indexSpalte)], nichts);
                }
                return ergebnis();
            }
        }
    }
    // Otherwise the engine tells for each row whether every other column is
    // Null or an empty text, so a record of thousands of rows is not read
    // value by value.
    QStringList nichts;
    for (const QString& spalte : m_cnn->columnNames(m_etabelle))
        if (!schluessel(spalte))
            nichts << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(klammer(spalte));
    const Abfrage a = abfrage(SPI, kriterien(SPI, std::nullopt, {}, std::nullopt, {}, std::nullopt, {}, std::nullopt));
    const QString sql = QStringLiteral("SELECT ") + klammer(SPI) + QStringLiteral(", ")
                        + (nichts.isEmpty() ? QStringLiteral("1") : nichts.join(QStringLiteral(" AND ")))
                        + a.sql.mid(a.sql.indexOf(QStringLiteral(" FROM ")));
    auto rs = m_cnn->openRecordset(sql, a.params, db::Connection::Cursor::ReadOnly);
    for (; !rs->eof(); rs->moveNext())
        einordnen(rs->field(0), vb::CLng(rs->field(1)) != 0);
    rs->close();
    return ergebnis();
}

// ---------------------------------------------------------------------------
// Index, list, delete and criteria queries

clsDATEN::Abfrage clsDATEN::indexAbfrage(const IndexSpalten& s) const
{
    int stufe = 1;
    if (!s.spalte[1].isEmpty()) {
        stufe = 2;
        if (!s.spalte[2].isEmpty()) {
            stufe = 3;
            if (!s.spalte[3].isEmpty())
                stufe = 4;
        }
    }
    const QString index = s.spalte[stufe - 1];
    Abfrage a;
    QString bedingung;
    for (int i = 0; i < stufe - 1; ++i) {
        bedingung += (i == 0 ? QStringLiteral(" WHERE [") : QStringLiteral(" AND [")) + s.spalte[i]
                     + QStringLiteral("]=?");
        if (!s.wert[i])
            vb::raise(vb::err::InvalidUseOfNull,
                      vb::errorDescription(vb::err::InvalidUseOfNull) + QStringLiteral(" (") + s.spalte[i]
                          + QLatin1Char(')'));
        a.params.push_back(gebunden(m_cnn, m_etabelle, s.spalte[i], *s.wert[i]));
    }
    if (!m_espk[0].isEmpty()) {
        bedingung += (bedingung.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND "))
                     + klammer(m_espk[0]) + QStringLiteral(" =?");
        a.params.push_back(Variant(m_espkw[0]));
        if (!m_espk[1].isEmpty()) {
            bedingung += QStringLiteral(" AND ") + klammer(m_espk[1]) + QStringLiteral("=?");
            a.params.push_back(Variant(m_espkw[1]));
        }
        if (!m_espk[2].isEmpty()) {
            bedingung += QStringLiteral(" AND ") + klammer(m_espk[2]) + QStringLiteral("=?");
            a.params.push_back(Variant(m_espkw[2]));
        }
    }
    if (!m_espid.isEmpty()) {
        bedingung += (bedingung.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND "))
                     + klammer(m_espid) + QStringLiteral(" = ?");
        a.params.push_back(Variant(static_cast<int>(m_espidw)));
    }
    a.sql = QStringLiteral("SELECT ") + klammer(index) + QStringLiteral(" FROM ") + m_etabelle + bedingung
            + QStringLiteral(" ORDER BY ") + klammer(index);
    return a;
}

#define INDEX_DEF                                                                                        \
    const QString &SPI1, const Wert &SPI1W, const QString &SPI2, const Wert &SPI2W, const QString &SPI3, \
        const Wert &SPI3W, const QString &SPI4

// Shared walk of INDEX, INDEXL and INDEXV; `wert` converts an index value
// and `anzahl` the row count to the member's types.
#define INDEX_LAUF(TITEL, NULLWERT, WERT, ANZAHL)                                      \
    IndexSpalten s;                                                                    \
    s.spalte[0] = SPI1;                                                                \
    s.spalte[1] = SPI2;                                                                \
    s.spalte[2] = SPI3;                                                                \
    s.spalte[3] = SPI4;                                                                \
    s.wert[0] = SPI1W;                                                                 \
    s.wert[1] = SPI2W;                                                                 \
    s.wert[2] = SPI3W;                                                                 \
    vb::ErrorTrap lauf(TITEL, vb::kVbError);                                           \
    std::unique_ptr<Recordset> rs;                                                     \
    lauf([&] {                                                                         \
        if (!m_cnn)                                                                    \
            vb::raise(vb::err::ObjectNotSet);                                          \
        const Abfrage a = indexAbfrage(s);                                             \
        rs = m_cnn->openRecordset(a.sql, a.params, db::Connection::Cursor::ReadOnly);  \
    });                                                                                \
    if (!rs || lauf.cancelled())                                                       \
        return;                                                                        \
    if (rs->recordCount() == 0) {                                                      \
        AN = 0;                                                                        \
        MINI = NULLWERT;                                                               \
        MAXI = NULLWERT;                                                               \
    } else {                                                                           \
        lauf([&] {                                                                     \
            rs->moveFirst();                                                           \
            MINI = WERT(rs->field(0));                                                 \
        });                                                                            \
        lauf([&] {                                                                     \
            rs->moveLast();                                                            \
            MAXI = WERT(rs->field(0));                                                 \
        });                                                                            \
        lauf([&] { AN = ANZAHL(rs->recordCount()); });                                 \
    }                                                                                  \
    rs->close();

void clsDATEN::INDEX(int16_t& MINI, int16_t& MAXI, int16_t& AN, INDEX_DEF)
{
    INDEX_LAUF(QStringLiteral("Index"), int16_t(0), vb::CInt, vb::CIntRange)
}

void clsDATEN::INDEXL(int32_t& MINI, int32_t& MAXI, int32_t& AN, INDEX_DEF)
{
    INDEX_LAUF(kDatenfehler, 0, vb::CLng, [](int n) { return int32_t(n); })
}

void clsDATEN::INDEXV(Variant& MINI, Variant& MAXI, int16_t& AN, INDEX_DEF)
{
    INDEX_LAUF(QStringLiteral("Index"), Variant(int16_t(0)), [](const Variant& v) { return v; }, vb::CIntRange)
}

namespace {
// The record list of E1 (ID <> 0, all or the active records, by identifier):
// one column, each value converted into the array, which is replaced only
// when there are rows.
template <class T, class F>
void datensatzListe(const std::shared_ptr<db::Connection>& cnn, const QString& spalte, bool akt,
                    std::vector<T>& liste, F umwandeln)
{
    if (!cnn)
        vb::raise(vb::err::ObjectNotSet);
    auto rs = cnn->openRecordset(QStringLiteral("SELECT ") + klammer(spalte)
                                     + (akt ? QStringLiteral(" FROM [E1] WHERE [AKT]=true and [ID]<>0 ORDER BY [KEN]")
                                            : QStringLiteral(" FROM [E1] WHERE [ID]<>0 ORDER BY [KEN]")),
                                 {}, db::Connection::Cursor::ReadOnly);
    if (rs->recordCount() > 0) {
        std::vector<T> neu(size_t(rs->recordCount()));
        int position = 0;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            neu[size_t(position++)] = umwandeln(rs->field(0));
        liste = std::move(neu);
    }
    rs->close();
}
} // namespace

void clsDATEN::LID(std::vector<int32_t>& ID, bool AKT)
{
    datensatzListe(m_cnn, QStringLiteral("ID"), AKT, ID, [](const Variant& v) { return vb::CLng(v); });
}

void clsDATEN::LKEN(std::vector<QString>& KEN, bool AKT)
{
    datensatzListe(m_cnn, QStringLiteral("KEN"), AKT, KEN, [](const Variant& v) { return vb::CStr(v); });
}

bool clsDATEN::LOESCHEN(KRIT_DEF)
{
    vb::ErrorTrap lauf(kDatenfehler, vb::kVbError);
    if (m_schreibtGerade) {
        lauf([] { wiederEintritt(); });
        return false;
    }
    Schreibsperre sperre(m_schreibtGerade);
    std::unique_ptr<Recordset> rs;
    std::unique_ptr<Schreibvorgang> tx;
    lauf([&] {
        rs = oeffnen(m_espid, KRIT);
        tx = std::make_unique<Schreibvorgang>(*m_cnn);
    });
    if (lauf.cancelled())
        return false;
    if (rs && !rs->eof()) {
        rs->moveFirst();
        while (!rs->eof()) {
            lauf([&] { rs->deleteRow(); });
            if (lauf.cancelled())
                return false;
            rs->moveNext();
        }
    }
    if (rs)
        rs->close();
    if (tx)
        lauf([&] { tx->fertig(); });
    return !lauf.cancelled();
}

bool clsDATEN::IDKRIT(std::vector<int32_t>& IDKR, const QString& SPF1, const Wert& SPF1W, QString* SPO1,
                      const QString& SPF2, const Wert& SPF2W, QString* SPO2, const QString& SPF3,
                      const Wert& SPF3W, QString* SPO3, const QString& SPF4, const Wert& SPF4W, QString* SPO4)
{
    const QString felder[4] = {SPF1, SPF2, SPF3, SPF4};
    const Wert* werte[4] = {&SPF1W, &SPF2W, &SPF3W, &SPF4W};
    QString* operatoren[4] = {SPO1, SPO2, SPO3, SPO4};

    vb::ErrorTrap lauf(kDatenfehler, vb::kVbError);
    bool ergebnis = false;
    Abfrage a;
    lauf([&] {
        // Operators, written back where they are replaced.
        QString op[4];
        QString platzhalter;
        for (int i = 0; i < 4; ++i) {
            op[i] = operatoren[i] ? *operatoren[i] : QString();
            const Wert& w = *werte[i];
            if (w && w->isString()) {
                if (op[i] == QLatin1String("LIKE")) {
                    platzhalter = QStringLiteral("%");
                } else {
                    op[i] = QStringLiteral("=");
                    platzhalter.clear();
                }
            } else {
                static const QStringList erlaubt = {QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                                                    QStringLiteral(">="), QStringLiteral("<>")};
                if (!erlaubt.contains(op[i]))
                    op[i] = QStringLiteral("=");
            }
            if (operatoren[i])
                *operatoren[i] = op[i];
        }
        QString spalten = QStringLiteral("[ID]");
        for (const QString& f : felder)
            if (!f.isEmpty())
                spalten += QLatin1Char(',') + klammer(f);
        QString bedingung;
        for (int i = 0; i < 4; ++i) {
            const Wert& w = *werte[i];
            if (!w)
                continue;
            bedingung += (i == 0 ? QStringLiteral(" WHERE [") : QStringLiteral(" AND [")) + felder[i]
                         + QStringLiteral("]") + op[i] + QStringLiteral("?");
            if (w->isString())
                a.params.push_back(Variant(platzhalter + w->text() + platzhalter));
            else
                a.params.push_back(gebunden(m_cnn, m_etabelle, felder[i], *w));
        }
        a.sql = QStringLiteral("SELECT ") + spalten + QStringLiteral(" FROM ") + klammer(m_etabelle) + bedingung
                + ordnung(felder);
    });
    if (lauf.cancelled())
        return false;
    std::unique_ptr<Recordset> rs;
    lauf([&] {
        if (!m_cnn)
            vb::raise(vb::err::ObjectNotSet);
        rs = m_cnn->openRecordset(a.sql, a.params, db::Connection::Cursor::ReadOnly);
    });
    if (!rs)
        return false;
    if (rs->recordCount() > 0) {
        ergebnis = true;
        std::vector<int32_t> neu(size_t(rs->recordCount()));
        int position = 0;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            lauf([&] { neu[size_t(position)] = vb::CLng(rs->field(0)); });
            if (lauf.cancelled())
                break;
            ++position;
        }
        IDKR = std::move(neu);
    }
    rs->close();
    return ergebnis;
}
