// The accessor's grid column transfers: one grid column to and from one
// column of the keyed selection, grid row FixedRows + k standing for the
// selection's row at position k. A disabled grid stands for a table without
// rows.

#include "database/clsDATEN.h"

#include "database/Schreibsperre.h"
#include "database/SharedState.h"
#include "grid/FlexGrid.h"
#include "platform/Colors.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

using vb::Variant;

namespace {

// The error trap of one transfer: the "Datenfehler" box naming the column,
// the table and the grid; OK skips the failing step, Cancel ends the transfer.
class GitterFalle {
public:
    GitterFalle(const QString& SPV, const QString& tabelle, const QString& SPNR, grid::FlexGrid* flx,
                const QString& richtung)
        : m_falle(QStringLiteral("Datenfehler"), vb::kVbError)
    {
        const QString index = flx ? QString::number(flx->Index()) : QString();
        const QString kopf = QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + tabelle
                             + QStringLiteral(" können nicht in die Spalte ") + SPNR
                             + QStringLiteral("\nder FlexGrid-Tabelle ") + index + richtung + QLatin1Char('\n');
        m_falle.textBuilder([kopf](const vb::VbError& e) { return kopf + vb::errorText(vb::kVbError, e); });
    }

    // Runs f; false once the user has left with Cancel.
    template <class F>
    bool operator()(F&& f)
    {
        if (m_verlassen)
            return false;
        try {
            f();
            return true;
        } catch (...) {
            if (!m_falle.report(vb::currentVbError()))
                m_verlassen = true;
            return false;
        }
    }
    bool verlassen() const { return m_verlassen; }

private:
    vb::StepRunner m_falle;
    bool m_verlassen = false;
};

grid::FlexGrid* gitter(grid::FlexGrid* flx)
{
    if (!flx)
        vb::raise(vb::err::ObjectNotSet);
    return flx;
}

} // namespace

bool clsDATEN::DFTF(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1,
                    const Wert& SPI1W, const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                    const Wert& SPI3W, const QString& SPI4)
{
    GitterFalle falle(SPV, m_etabelle, SPNR, msgFLX, QStringLiteral(" geschrieben werden!"));
    const Kriterien k = kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, std::nullopt);

    std::vector<QString> werte;
    bool aktiv = false;
    falle([&] {
        aktiv = gitter(msgFLX)->Enabled();
        if (!aktiv)
            return;
        const int spalte = vb::CInt(Variant(SPNR));
        const int fest = msgFLX->FixedRows();
        const int n = msgFLX->Rows() - fest;
        if (n > 32767)
            vb::raise(vb::err::Overflow);
        werte.reserve(size_t(std::max(0, n)));
        for (int r = fest; r < msgFLX->Rows(); ++r)
            werte.push_back(vb::Trim(msgFLX->TextMatrix(r, spalte)));
    });
    if (falle.verlassen())
        return false;

    if (m_schreibtGerade) {
        falle([] { db::detail::wiederEintritt(); });
        return false;
    }
    // No nested write on this accessor while its rows are being replaced.
    db::detail::Schreibsperre sperre(m_schreibtGerade);

    std::unique_ptr<db::Recordset> rs;
    falle([&] { rs = oeffnen(SPV, k); });
    if (falle.verlassen() || !rs)
        return !falle.verlassen();

    // One transaction for speed; what was written before a Cancel stays.
    bool tx = false;
    falle([&] {
        m_cnn->beginTransaction();
        tx = true;
    });
    auto ende = [&](bool ergebnis) {
        if (rs)
            rs->close();
        if (tx) {
            try {
                m_cnn->commitTransaction();
            } catch (...) {
                m_cnn->rollbackTransaction();
                ergebnis = false;
            }
        }
        return ergebnis;
    };

    // Deletes the rows from the current one to the end of the selection.
    auto restLoeschen = [&] {
        while (!rs->eof()) {
            falle([&] { rs->deleteRow(); });
            if (falle.verlassen())
                return ende(false);
            rs->moveNext();
        }
        return ende(true);
    };
    if (!aktiv)
        return restLoeschen();

    const Variant schluessel(static_cast<int>(m_espidw));
    for (size_t i = 0; i < werte.size(); ++i) {
        falle([&] {
            if (rs->eof())
                rs->addNew();
            else if (i == 0)
                rs->moveFirst();
        });
        // A value the column refuses stores Null: the row at this position
        // may have held another line's value before.
        if (!falle([&] { rs->setField(0, werte[i].isEmpty() ? Variant::null() : Variant(werte[i])); })
            && !falle.verlassen())
            falle([&] { rs->setField(0, Variant::null()); });
        if (!m_espid.isEmpty())
            falle([&] { rs->setField(m_espid, schluessel); });
        for (int c = 0; c < 3; ++c)
            if (!k.spalte[c].isEmpty() && k.wert[c])
                falle([&] { rs->setField(k.spalte[c], *k.wert[c]); });
        for (int t = 0; t < 3; ++t)
            if (!m_espk[t].isEmpty())
                falle([&] { rs->setField(m_espk[t], Variant(m_espkw[t])); });
        falle([&] { rs->update(); });
        if (rs->editPending())
            rs->cancelUpdate();
        if (falle.verlassen())
            return ende(false);
        if (!rs->eof())
            rs->moveNext();
        db::sharedState().nachrichtenLaufenLassen();
    }
    return restLoeschen();
}

bool clsDATEN::DFTFM(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1,
                     const Wert& SPI1W, const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                     const Wert& SPI3W, const QString& SPI4)
{
    return DFTF(SPV, msgFLX, SPNR, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4);
}

bool clsDATEN::DTFF(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1,
                    const Wert& SPI1W, const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                    const Wert& SPI3W, const QString& SPI4, int16_t ZNR)
{
    GitterFalle falle(SPV, m_etabelle, SPNR, msgFLX, QStringLiteral(" eingelesen werden!"));
    const Kriterien k = kriterien(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, std::nullopt);

    std::unique_ptr<db::Recordset> rs;
    falle([&] { rs = oeffnen(SPV, k, false); });
    if (falle.verlassen())
        return false;
    if (!rs)
        return true;
    auto ende = [&](bool ergebnis) {
        rs->close();
        return ergebnis;
    };

    if (rs->recordCount() == 0) {
        falle([&] {
            gitter(msgFLX)->setBackColor(msgFLX->BackColorFixed());
            msgFLX->setEnabledState(false);
        });
        return ende(!falle.verlassen());
    }
    falle([&] {
        gitter(msgFLX)->setBackColor(vb::vbWindowBackground);
        msgFLX->setEnabledState(true);
    });
    if (falle.verlassen())
        return ende(false);

    int spalte = 0;
    int start = 0;
    falle([&] {
        spalte = vb::CInt(Variant(SPNR));
        start = ZNR <= gitter(msgFLX)->FixedRows() ? msgFLX->FixedRows() : ZNR + 1;
        // The grid grows once, to the final row count; it never shrinks.
        const int n = rs->recordCount();
        if (msgFLX->Rows() - start < n)
            msgFLX->setRows(start + n);
    });
    if (falle.verlassen())
        return ende(false);

    rs->moveFirst();
    for (int z = 0; !rs->eof(); ++z) {
        falle([&] {
            if (z > 32767)
                vb::raise(vb::err::Overflow);
            const Variant v = rs->field(0);
            if (!v.isNull())
                gitter(msgFLX)->setTextMatrix(start + z, spalte, vb::CStr(v));
        });
        if (falle.verlassen())
            return ende(false);
        rs->moveNext();
        db::sharedState().nachrichtenLaufenLassen();
    }
    return ende(true);
}

bool clsDATEN::DTFFM(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1,
                     const Wert& SPI1W, const QString& SPI2, const Wert& SPI2W, const QString& SPI3,
                     const Wert& SPI3W, const QString& SPI4)
{
    return DTFF(SPV, msgFLX, SPNR, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, 0);
}
