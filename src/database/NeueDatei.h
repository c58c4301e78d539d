#pragma once
// db::NeueDatei — a file written whole or not at all.
//
// The contents go into a temporary file of this user and process beside the
// target (temporaereDatei), which takes the target's place in one rename only
// when it is complete (replaceFile). Dropped before that, it leaves the target
// as it was and nothing beside it; what a killed process of this user left in
// the folder is removed when the next file there begins (aufraeumen). Every
// file the program writes for the user (PDF pages, CAD drawings, screen
// copies) goes this way, so a crash, a kill or a full disk never leaves a
// short file or destroys the earlier one.
//
// Failures raise the error of their cause (vb::dateisystemFehler) with the
// target named.

#include <QByteArray>
#include <QString>

namespace db {

class NeueDatei {
public:
    explicit NeueDatei(const QString& ziel);
    ~NeueDatei();   // not put in place: the temporary file goes
    NeueDatei(const NeueDatei&) = delete;
    NeueDatei& operator=(const NeueDatei&) = delete;

    const QString& ziel() const { return m_ziel; }
    // The temporary file, for writers that open a file by its name.
    const QString& pfad() const { return m_pfad; }
    // Write `daten` as the contents of the temporary file.
    void schreiben(const QByteArray& daten);
    // Put the temporary file in place of the target. A writer that left it
    // empty has failed: 75, and the target stays as it was.
    void einsetzen();

private:
    QString m_ziel;
    QString m_pfad;
};

// The whole of `daten` as file `ziel`.
void schreibeDatei(const QString& ziel, const QByteArray& daten);

} // namespace db
