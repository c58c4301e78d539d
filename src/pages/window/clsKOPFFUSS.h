#pragma once
// clsKOPFFUSS — header and footer of a log page on the screen or on paper.
//
// The header carries the page title, the record identifiers with a comment line
// under them, the project and the page number; the footer the developer and
// copyright lines, date and time, and the person responsible. Texts exist in
// German (SPRACHE 3, the default) and English (SPRACHE 1).
//
// Use: create the block, bind a surface with AUSGABEOBJEKT, set the properties
// (RANDABSTAND only after AUSGABEOBJEKT: it converts millimetres with the
// factors of the bound surface), then call KOPFFUSSZEILE. The block draws on
// top of what the surface shows; clearing it is the caller's business.
//
// Texts may carry the inline markup {code,n}: "c" inserts the character with
// code n of the Windows code page, "g" sets the next n characters as Greek
// letters, "t"/"h" as subscript/superscript, "gt"/"gh" both.
#include "drawing/Target.h"
#include "platform/Variant.h"

#include <QDateTime>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class clsKOPFFUSS
{
public:
    // One text piece the block printed: for inspection of what a page shows.
    struct Stueck
    {
        QString text;        // the characters as printed
        double x = 0;        // top left of the piece, surface units
        double y = 0;
        int slot = 0;        // font slot it was printed in
        drawing::StdFont font;
    };

    clsKOPFFUSS();

    // Binds the surface (the page window's own surface or the printer page)
    // and the frame whose ScaleWidth and ScaleHeight give the page's extent in
    // the surface's units; resets the margins to 15 mm and the font to Arial
    // 8 point. The surface must outlive the block's use of it.
    void AUSGABEOBJEKT(drawing::Target* EOBJEKT, QSizeF RAHMENOBJEKT);
    void AUSGABEOBJEKT(drawing::Target* EOBJEKT, const drawing::Target& RAHMENOBJEKT);

    QString BEARBEITER() const { return m_bearbeiter; }
    void BEARBEITER(const QString& v) { m_bearbeiter = v; }
    QString COPYRIGHT() const { return m_copyright; }
    void COPYRIGHT(const QString& v) { m_copyright = v; }
    bool EBOKFS() const { return m_ebokfs; }
    void EBOKFS(bool v) { m_ebokfs = v; }
    // One identifier, or a list of them.
    void KENNZEICHNUNG(const QString& v);
    void KENNZEICHNUNG(const QStringList& v);
    void KENNZEICHNUNG(const vb::Variant& v);
    QStringList kennzeichnungen() const { return m_kennungen; }
    QDateTime DATUM() const { return m_datum; }
    void DATUM(const QDateTime& v) { m_datum = v; }
    QString KOMMENTAR() const { return m_kommentar; }
    void KOMMENTAR(const QString& v) { m_kommentar = v; }
    QString UEBERSCHRIFT() const { return m_ueberschrift; }
    void UEBERSCHRIFT(const QString& v) { m_ueberschrift = v; }
    QString PROGRAMMIERER() const { return m_programmierer; }
    void PROGRAMMIERER(const QString& v) { m_programmierer = v; }
    QString PROJEKT() const { return m_projekt; }
    void PROJEKT(const QString& v) { m_projekt = v; }
    // Margin in millimetres: LAGE "oben", "unten", "links" or "rechts" sets one
    // side, anything else all four. Raises error 91 while no surface is bound.
    void RANDABSTAND(float mm, const QString& LAGE = QString());
    int16_t SEITE() const { return m_seite; }
    void SEITE(int16_t v) { m_seite = v; }
    int16_t SEITENANZAHL() const { return m_seitenanzahl; }
    void SEITENANZAHL(int16_t SEITEN) { m_seitenanzahl = SEITEN; }
    int16_t SPRACHE() const { return m_sprache; }
    void SPRACHE(int16_t v) { m_sprache = v; }
    QDateTime UHRZEIT() const { return m_uhrzeit; }
    void UHRZEIT(const QDateTime& v) { m_uhrzeit = v; }

    // Draws header and footer on the bound surface.
    void KOPFFUSSZEILE();

    // Margins in surface units: top, bottom, left, right.
    double randOben() const { return m_rand[0]; }
    double randUnten() const { return m_rand[1]; }
    double randLinks() const { return m_rand[2]; }
    double randRechts() const { return m_rand[3]; }
    // Every piece printed since the surface was bound.
    const QList<Stueck>& gedruckt() const { return m_gedruckt; }
    // The pieces joined per text call, in drawing order ("Datensatz B1", ...).
    const QStringList& zeilen() const { return m_zeilen; }

    // Draws one marked-up text at (x, y) in surface units with horizontal
    // alignment ausrichtungX (0 left, 1 centre, 2 right) and vertical
    // ausrichtungY (0 top, 1 middle, 2 bottom).
    void TEXT(double x, double y, const QString& text, int ausrichtungX = 0, int ausrichtungY = 0);

private:
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                              bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE);
    void textSchritte(double x, double y, const QString& text, int ausrichtungX, int ausrichtungY);
    drawing::Target& flaeche() const;

    drawing::Target* m_flaeche = nullptr;
    QSizeF m_rahmen;
    double m_mmProEinheitX = 1.0;
    double m_mmProEinheitY = 1.0;
    std::array<double, 4> m_rand{};   // oben, unten, links, rechts
    std::array<drawing::FontRef, 6> m_slots;

    QStringList m_kennungen{QString()};
    QString m_bearbeiter;
    QString m_copyright;
    QString m_kommentar;
    QString m_ueberschrift;
    QString m_programmierer;
    QString m_projekt = QStringLiteral("TE0000.00");
    QDateTime m_datum;
    QDateTime m_uhrzeit;
    bool m_ebokfs = true;
    int16_t m_seite = 1;
    int16_t m_seitenanzahl = 1;
    int16_t m_sprache = 3;
    QString m_kennzeile;
    QString m_bezeichnung = QStringLiteral("Datensatz ");

    QList<Stueck> m_gedruckt;
    QStringList m_zeilen;
};
