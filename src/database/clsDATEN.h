#pragma once
// clsDATEN — the table accessor: keyed, column-wise access to one table.
//
// An accessor is bound to one table (ETABELLE), one numeric owner key column
// with its value (ESPID, ESPIDW; "ID" and the active record's ID when it is
// created) and up to three text key columns with their values. Every data
// operation moves one column (SPV) of the rows matching these keys and up to
// four further criteria (SPI1..SPI4 with optional values SPI1W..SPI4W) — the
// keyed selection, ordered by the criterion columns.
//
// Criterion values: a value that is given restricts the selection to rows
// whose criterion column equals it; an omitted value (std::nullopt) only
// orders. All values — criteria, owner key, text keys — are bound as query
// parameters, never pasted into the query text.
//
// Writes replace: after a write the selection holds one row per value, rows
// missing at the end are added with their keys, surplus rows deleted, and an
// empty text is stored as Null. Single-value reads never fail for a missing
// row or a Null: the target receives the zero value of its type.
//
// Failing transfers show a warning box titled "Datenfehler" and return false.
//
// The row writer lets pending window messages run after each row it stores
// (db::SharedState::nachrichtenLaufenLassen, which excludes user input). An
// accessor refuses to be entered again while its writer is between rows: a
// nested write or delete on the same accessor fails instead of working on rows
// the outer loop is changing (reads see the rows as written so far).

#include "database/Connection.h"
#include "platform/Variant.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
namespace grid {
class FlexGrid;
}

// A criterion value: std::nullopt = omitted.
using Wert = std::optional<vb::Variant>;

class clsDATEN {
public:
    using Collection = std::vector<vb::Variant>;

    // Binds to the working copy (sharedState().cnnX), table "E1", owner key
    // column "ID" and the ID of the active record (first E1 row with AKT true;
    // 0 when none). Errors show the "Datenfehler" box (OK continues, Cancel
    // ends the construction with the fields set so far).
    clsDATEN();
    ~clsDATEN();
    clsDATEN(const clsDATEN&) = delete;
    clsDATEN& operator=(const clsDATEN&) = delete;

    // ---- binding -----------------------------------------------------------
    // true: the presets connection (cnnX_V; the working copy in development
    // mode), false: the working copy.
    void EBOV(bool flag);
    // Open <DATENBANKPFAD>/<name>.mdb (development mode: <PROJEKTSPFAD>/
    // <PROJEKT>/<name>.mdb) on a connection of this accessor's own; BOINF
    // tells whether it did. A missing file keeps the previous connection.
    void EINFMDB(const QString& name, bool* BOINF = nullptr);
    QString EINFMDB() const { return m_einfmdb; }

    QString ETABELLE() const { return m_etabelle; }
    void ETABELLE(const QString& v) { m_etabelle = v; }
    QString ESPID() const { return m_espid; }
    void ESPID(const QString& v) { m_espid = v; }
    int32_t ESPIDW() const { return m_espidw; }
    void ESPIDW(int32_t v) { m_espidw = v; }
    QString ESPK1() const { return m_espk[0]; }
    void ESPK1(const QString& v) { m_espk[0] = v; }
    QString ESPK1W() const { return m_espkw[0]; }
    void ESPK1W(const QString& v) { m_espkw[0] = v; }
    QString ESPK2() const { return m_espk[1]; }
    void ESPK2(const QString& v) { m_espk[1] = v; }
    QString ESPK2W() const { return m_espkw[1]; }
    void ESPK2W(const QString& v) { m_espkw[1] = v; }
    QString ESPK3() const { return m_espk[2]; }
    void ESPK3(const QString& v) { m_espk[2] = v; }
    QString ESPK3W() const { return m_espkw[2]; }
    void ESPK3W(const QString& v) { m_espkw[2] = v; }

    // The connection the accessor's queries run on.
    std::shared_ptr<db::Connection> verbindung() const { return m_cnn; }
    // Work on another accessor's connection: accessors on one connection
    // share its transactions, so several tables change together or not at all.
    void verbindung(std::shared_ptr<db::Connection> cnn) { m_cnn = std::move(cnn); }

    // ---- keyed selection ---------------------------------------------------
    // The query DT opens: text with '?' placeholders and the bound values.
    struct Abfrage {
        QString sql;
        db::Params params;
    };
    Abfrage DTAbfrage(const QString& SPV,
                      const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
                      const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
                      const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt,
                      const QString& SPI4 = {}, const Wert& SPI4W = std::nullopt) const;
    // Open the keyed selection, positioned on its first row (raises on error).
    std::unique_ptr<db::Recordset> DT(const QString& SPV,
                                      const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
                                      const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
                                      const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt,
                                      const QString& SPI4 = {}, const Wert& SPI4W = std::nullopt) const;

#define KAVELOR_KRIT                                                                   \
    const QString &SPI1 = {}, const Wert &SPI1W = std::nullopt, const QString &SPI2 = {}, \
        const Wert &SPI2W = std::nullopt, const QString &SPI3 = {},                    \
        const Wert &SPI3W = std::nullopt, const QString &SPI4 = {},                    \
        const Wert &SPI4W = std::nullopt

    // ---- variable and array writes (replace the selection) -----------------
    bool DVTA(const QString& SPV, const QDateTime& DTM, KAVELOR_KRIT);
    bool DVTB(const QString& SPV, bool BO, KAVELOR_KRIT);
    bool DVTBF(const QString& SPV, const std::vector<bool>& BO, KAVELOR_KRIT);
    bool DVTT(const QString& SPV, const QString& TXT, KAVELOR_KRIT);
    bool DVTTF(const QString& SPV, const std::vector<QString>& TXT, KAVELOR_KRIT);
    bool DVTI(const QString& SPV, int16_t I, KAVELOR_KRIT);
    bool DVTIF(const QString& SPV, const std::vector<int16_t>& ZAHLEN, KAVELOR_KRIT);
    bool DVTL(const QString& SPV, int32_t L, KAVELOR_KRIT);
    bool DVTS(const QString& SPV, float ZAHL, KAVELOR_KRIT);
    bool DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, KAVELOR_KRIT);
    bool DVTD(const QString& SPV, double ZAHL, KAVELOR_KRIT);
    bool DVTV(const QString& SPV, const vb::Variant& WERT, KAVELOR_KRIT);
    bool DVTVF(const QString& SPV, const std::vector<vb::Variant>& FELD, KAVELOR_KRIT);

    // ---- variable, array and collection reads ------------------------------
    // Scalar reads change the target only on success; a missing row or a Null
    // gives the zero value (30.12.1899 00:00, false, "", 0, Empty). A value
    // that does not convert raises (vb::VbError) to the calling operation.
    bool DTVA(const QString& SPV, QDateTime& DATUM, KAVELOR_KRIT);
    bool DTVAF(const QString& SPV, std::vector<QDateTime>& DATUM, KAVELOR_KRIT);
    bool DTVB(const QString& SPV, bool& BO, KAVELOR_KRIT);
    bool DTVBF(const QString& SPV, std::vector<bool>& BO, KAVELOR_KRIT);
    bool DTVT(const QString& SPV, QString& TXT, KAVELOR_KRIT);
    bool DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, KAVELOR_KRIT);
    bool DTVI(const QString& SPV, int16_t& I, KAVELOR_KRIT);
    bool DTVIF(const QString& SPV, std::vector<int16_t>& ZAHLEN, KAVELOR_KRIT);
    bool DTVL(const QString& SPV, int32_t& L, KAVELOR_KRIT);
    bool DTVS(const QString& SPV, float& ZAHL, KAVELOR_KRIT);
    bool DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, KAVELOR_KRIT);
    bool DTVD(const QString& SPV, double& ZAHL, KAVELOR_KRIT);
    bool DTVV(const QString& SPV, vb::Variant& WERT, KAVELOR_KRIT);
    bool DTVVF(const QString& SPV, std::vector<vb::Variant>& ZAHLEN, KAVELOR_KRIT);
    // Replaces X by a new collection of the non-Null values when the selection
    // has rows; leaves X as it was otherwise. No box: false on any error.
    bool DTVCOL(const QString& SPV, std::shared_ptr<Collection>& X, KAVELOR_KRIT);

    // Index values (column SPI) of the keyed rows that hold nothing but their
    // keys: every other column Null or an empty text. A number that another
    // row with a value shares is not among them. Errors raise to the caller.
    std::vector<int32_t> leereZeilen(const QString& SPI) const;

    // ---- index, list, delete and criteria queries --------------------------
    // The last column named is the index column; the ones before it are parent
    // columns equal to their values. MINI/MAXI: first and last index value in
    // ascending order, AN: number of rows (0, 0, 0 when there are none).
    void INDEX(int16_t& MINI, int16_t& MAXI, int16_t& AN,
               const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
               const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
               const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt,
               const QString& SPI4 = {});
    void INDEXL(int32_t& MINI, int32_t& MAXI, int32_t& AN,
                const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
                const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
                const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt,
                const QString& SPI4 = {});
    void INDEXV(vb::Variant& MINI, vb::Variant& MAXI, int16_t& AN,
                const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
                const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
                const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt,
                const QString& SPI4 = {});
    // IDs / identifiers of all (AKT false) or the active records of E1 with
    // ID <> 0, ordered by KEN. Without rows the array is left as it was.
    // Errors raise to the calling operation.
    void LID(std::vector<int32_t>& ID, bool AKT = false);
    void LKEN(std::vector<QString>& KEN, bool AKT = false);
    // Delete the keyed selection.
    bool LOESCHEN(KAVELOR_KRIT);
    // IDs of the rows meeting up to four conditions (field, value, operator).
    // Text values take "LIKE" (substring) or "="; other values "<", ">", "<=",
    // ">=", "<>" or "=". An operator not accepted is replaced by "=" and the
    // replacement written back through the pointer. True when rows were found.
    bool IDKRIT(std::vector<int32_t>& IDKR,
                const QString& SPF1 = {}, const Wert& SPF1W = std::nullopt, QString* SPO1 = nullptr,
                const QString& SPF2 = {}, const Wert& SPF2W = std::nullopt, QString* SPO2 = nullptr,
                const QString& SPF3 = {}, const Wert& SPF3W = std::nullopt, QString* SPO3 = nullptr,
                const QString& SPF4 = {}, const Wert& SPF4W = std::nullopt, QString* SPO4 = nullptr);

    // A run of reads and writes on this accessor's connection in one
    // transaction (db::Connection::Batch): reads are served from memory and
    // the writes are committed together by beenden(). When that commit fails
    // the writes of the run are lost: the accessor shows its write box for
    // the first value it wrote during the run and beenden() answers false.
    class Lauf {
    public:
        explicit Lauf(clsDATEN& dat);
        ~Lauf();
        bool beenden();
        Lauf(const Lauf&) = delete;
        Lauf& operator=(const Lauf&) = delete;
    private:
        clsDATEN& m_dat;
        std::unique_ptr<db::Connection::Batch> m_batch;
    };

    // ---- control transfers (clsDATEN_Steuerelemente.cpp) ------------------
    // DFT…: store a property of the control as the selection's one row (an
    // empty text as Null); DTF…: set the property from the selection's first
    // row (no row or a Null gives the property's empty form). A failing
    // transfer shows its "Datenfehler" box and returns false; a value the
    // control cannot take raises to the calling operation.
    // Check box: Value 0/1/2 (unticked, ticked, greyed) and Caption.
    bool DFTC(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    bool DFTCC(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    bool DFTCV(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    bool DTFC(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    bool DTFCC(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    bool DTFCV(const QString& SPV, QCheckBox* chkX, KAVELOR_KRIT);
    // List box: the selected item's text, ListIndex.
    bool DFTI(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    bool DFTIL(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    bool DFTIS(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    bool DTFI(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    bool DTFIL(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    bool DTFIS(const QString& SPV, QListWidget* lstX, KAVELOR_KRIT);
    // Label: Caption; DFTLI stores the label's index in its control array
    // (the QObject property "Index", 0 when unset).
    bool DFTL(const QString& SPV, QLabel* lblX, KAVELOR_KRIT);
    bool DFTLC(const QString& SPV, QLabel* lblX, KAVELOR_KRIT);
    bool DFTLI(const QString& SPV, QLabel* lblX, KAVELOR_KRIT);
    bool DTFL(const QString& SPV, QLabel* lblX, KAVELOR_KRIT);
    bool DTFLC(const QString& SPV, QLabel* lblX, KAVELOR_KRIT);
    // Combo box: Text, ListIndex, the selected item's text; a combo box that
    // is not editable is a drop-down list.
    bool DFTM(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DFTML(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DFTMS(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DFTMT(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DTFM(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DTFML(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DTFMS(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    bool DTFMT(const QString& SPV, QComboBox* cboX, KAVELOR_KRIT);
    // Appends the non-Null values of every selected row to the list.
    bool DTFMM(const QString& SPV, QComboBox* cboX, const QString& SPI1 = {}, const Wert& SPI1W = std::nullopt,
               const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt, const QString& SPI3 = {},
               const Wert& SPI3W = std::nullopt, const QString& SPI4 = {});
    // Option button: Value (Boolean) and Caption.
    bool DFTO(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    bool DFTOC(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    bool DFTOV(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    bool DTFO(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    bool DTFOC(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    bool DTFOV(const QString& SPV, QRadioButton* optX, KAVELOR_KRIT);
    // Text box: Text.
    bool DFTT(const QString& SPV, QLineEdit* txtX, KAVELOR_KRIT);
    bool DFTTT(const QString& SPV, QLineEdit* txtX, KAVELOR_KRIT);
    bool DTFT(const QString& SPV, QLineEdit* txtX, KAVELOR_KRIT);
    bool DTFTT(const QString& SPV, QLineEdit* txtX, KAVELOR_KRIT);

    // ---- grid column transfers (clsDATEN_Gitter.cpp) -------------------------
    // DFTF: replaces column SPV of the selection by the trimmed data cells of
    // grid column SPNR (an empty cell as Null); a disabled grid deletes the
    // selection. DTFF: writes the selection into grid column SPNR from the
    // first data row (or from row ZNR + 1), growing the grid once; an empty
    // selection greys and disables the grid, a non-empty one enables it.
    // Failures show a "Datenfehler" box with OK (skip) and Cancel (false).
    bool DFTF(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1 = {},
              const Wert& SPI1W = std::nullopt, const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
              const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt, const QString& SPI4 = {});
    bool DFTFM(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1 = {},
               const Wert& SPI1W = std::nullopt, const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
               const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt, const QString& SPI4 = {});
    bool DTFF(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1 = {},
              const Wert& SPI1W = std::nullopt, const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
              const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt, const QString& SPI4 = {},
              int16_t ZNR = 0);
    bool DTFFM(const QString& SPV, grid::FlexGrid* msgFLX, const QString& SPNR, const QString& SPI1 = {},
               const Wert& SPI1W = std::nullopt, const QString& SPI2 = {}, const Wert& SPI2W = std::nullopt,
               const QString& SPI3 = {}, const Wert& SPI3W = std::nullopt, const QString& SPI4 = {});

protected:
    // Row writer and reader behind the single-value transfers and the array
    // writes. They catch every error and answer with a plain success flag.
    bool DSCHREIBEN(const QString& SPV, const std::vector<vb::Variant>& werte, KAVELOR_KRIT);
    bool DLESEN(const QString& SPV, std::vector<vb::Variant>& werte, KAVELOR_KRIT);

    // Criteria as passed to a data operation.
    struct Kriterien {
        QString spalte[4];
        Wert wert[4];
    };
    static Kriterien kriterien(const QString& SPI1, const Wert& SPI1W, const QString& SPI2,
                               const Wert& SPI2W, const QString& SPI3, const Wert& SPI3W,
                               const QString& SPI4, const Wert& SPI4W);
    Abfrage abfrage(const QString& SPV, const Kriterien& k) const;
    // The keyed selection; `schreibbar` false for the reading operations.
    std::unique_ptr<db::Recordset> oeffnen(const QString& SPV, const Kriterien& k, bool schreibbar = true) const;
    bool schreiben(const QString& SPV, const std::vector<vb::Variant>& werte, const Kriterien& k);
    bool lesen(const QString& SPV, std::vector<vb::Variant>& werte, const Kriterien& k);

    // Scalar and array writes through the row writer, with their boxes.
    bool wertSchreiben(const QString& SPV, const vb::Variant& wert, const Kriterien& k);
    bool werteSchreiben(const QString& SPV, const std::vector<vb::Variant>& werte, const Kriterien& k);

    // Boxes of the transfers.
    void schreibFehler(const QString& SPV, const vb::Variant& wert) const;
    void schreibFehlerFeld(const QString& SPV) const;
    void leseFehler(const QString& SPV, const vb::Variant& wert) const;

    // Array reads: walk the selection, convert each non-Null value with
    // `setzen(position, value)`; errors show the array read box.
    bool feldLesen(const QString& SPV, const Kriterien& k,
                   const std::function<void(int, const vb::Variant&)>& setzen);
    // Scalar read from the rows a running batch holds in memory; false when
    // the read can't be served there and must take the query.
    bool ausDemSpeicher(const QString& SPV, const Kriterien& k, vb::Variant& wert) const;
    // Scalar read through the row reader into element 0.
    bool skalarLesen(const QString& SPV, const Kriterien& k, vb::Variant& wert);

    // Index queries: the ordered index column of the level the names choose.
    struct IndexSpalten {
        QString spalte[4];
        Wert wert[3];
    };
    Abfrage indexAbfrage(const IndexSpalten& s) const;

private:
    std::shared_ptr<db::Connection> m_cnn;
    QString m_einfmdb;
    QString m_espid = QStringLiteral("ID");
    int32_t m_espidw = 0;
    QString m_espk[3];
    QString m_espkw[3];
    QString m_etabelle = QStringLiteral("E1");
    bool m_schreibtGerade = false;  // the row writer is between rows
    // During a run: whether it is open, and the first value written in it.
    bool m_imLauf = false;
    std::optional<std::pair<QString, vb::Variant>> m_ersterWert;

    friend struct clsDATENSperre;
};

#undef KAVELOR_KRIT
