#include "entry/Codelisten.h"

#include "platform/VbRuntime.h"

#include <cmath>

namespace eingabe {

namespace {

QStringList liste(std::initializer_list<const char*> texte)
{
    QStringList l;
    for (const char* t : texte)
        l << QString::fromUtf8(t);
    return l;
}

struct CodeListe {
    Kodierung kodierung;
    std::initializer_list<const char*> texte;   // text of code 0, 1, 2, ...
};

const CodeListe kCodes[] = {
    {Kodierung::Grundwassertyp, {"keine Angabe", "zuletzt gemessen", "bei Aufschluß angetroffen"}},
    {Kodierung::Entnahmeverfahren, {"gest. Probe", "Sonderprobe", "Bohrkern"}},
    {Kodierung::Sondentyp, {"offene Sonde", "geschlossene Sonde"}},
};

QStringList codeTexte(Kodierung k)
{
    for (const CodeListe& c : kCodes)
        if (c.kodierung == k)
            return liste(c.texte);
    return {};
}

} // namespace

QStringList eintraege(Liste l, bool englisch)
{
    switch (l) {
    case Liste::Hauptbestandteile:
        if (englisch)
            return liste({"Y", "X", "G", "gG", "mG", "gmG", "mfG", "fG", "S", "gS", "mS", "gmS", "mfS", "fS", "U",
                          "H", "T", "Mu", "A", "Ko", "Lö", "LöL"});
        return liste({"Y",   "X",  "G",   "gG", "mG", "gmG", "mfG", "fG", "S",  "gS", "mS", "gmS", "mfS",
                      "fS",  "b'U", "bU", "b¯U", "H",  "b'T", "bT",  "b¯T", "Mu", "A",  "Ko", "Lö",  "LöL"});
    case Liste::Nebenbestandteile:
        if (englisch)
            return {};
        return liste({"", "y¯", "y", "y'", "x¯", "x", "x'", "g¯", "g", "g'", "s¯", "s", "s'", "u¯", "u", "u'", "t¯",
                      "t", "t'"});
    case Liste::Rundungsgrad:
        return liste({"ka* ", "ka", "ka' ", "ge' ", "ge", "ge* "});
    case Liste::Bodenzustand:
        return liste({"lo", "md", "di", "sd", "br", "we", "st", "ha", "fe"});
    case Liste::Bodenfarbe:
        return liste({"keine Angabe", "RAL1002", "RAL1004", "RAL1011", "RAL1014", "RAL3009", "RAL3011", "RAL3016",
                      "RAL6013", "RAL7003", "RAL7006", "RAL7013", "RAL7030", "RAL7031", "RAL7032", "RAL8000",
                      "RAL8001", "RAL8003", "RAL8004", "RAL8011", "RAL8023", "RAL8028"});
    case Liste::Beurteiler:
        return liste({"0", "1", "2", "3", "4", "5"});
    case Liste::Grundwasser:
        return liste({"zuletzt gemessen", "bei Aufschluß angetroffen", "keine Angabe"});
    case Liste::Entnahmeverfahren:
        return codeTexte(Kodierung::Entnahmeverfahren);
    case Liste::Sondentyp:
        return codeTexte(Kodierung::Sondentyp);
    case Liste::Rohrmaterial:
        return liste({"keine Angaben", "Stahl", "PVC"});
    case Liste::Keine:
        break;
    }
    return {};
}

QString codeText(Kodierung k, int code)
{
    const QStringList texte = codeTexte(k);
    return code >= 0 && code < texte.size() ? texte[code] : QString();
}

QString textZuCode(Kodierung k, const QString& zelle)
{
    const int code = int(codeTexte(k).indexOf(zelle));
    return code >= 0 ? QString::number(code) : zelle;
}

QString codeZuText(Kodierung k, const QString& zelle)
{
    const QStringList texte = codeTexte(k);
    if (k == Kodierung::Sondentyp) {
        for (int code = 0; code < texte.size(); ++code)
            if (zelle == QString::number(code))
                return texte[code];
        return zelle;
    }
    double zahl = 0;
    if (!vb::parseNumber(vb::Trim(zelle), &zahl))
        return zelle;
    for (int code = 0; code < texte.size(); ++code)
        if (zahl == code)
            return texte[code];
    return zelle;
}

} // namespace eingabe
