// clsGRAFIK's figure members: each forwards to the shared figure of the same
// name, with the engine itself as the figure host.

#include "drawing/clsGRAFIK.h"
#include "drawing/figures/Figures.h"

void clsGRAFIK::KREIS(float XM, float YM, float R, float AL1, drawing::ByRef<float> AL2, int16_t LAGEPFEIL,
                      bool BOKREISP, std::optional<int16_t> KO)
{
    drawing::figures::KREIS(*this, XM, YM, R, AL1, AL2.get(), LAGEPFEIL, BOKREISP, KO);
}

void clsGRAFIK::POLYGON(drawing::SingleArray& X, drawing::SingleArray& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
                        const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
                        const std::optional<drawing::NumberList>& BOL)
{
    drawing::figures::POLYGON(*this, X, Y, PSIT, PSTYP, PNR, TEXT, LAGETEXT, LAGEPFEIL, FARBEN, BOL);
}

void clsGRAFIK::GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO)
{
    drawing::figures::GELAENDESCHRAFFUR(*this, X1, Y1, H1, ANS, BE, KO);
}

void clsGRAFIK::KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL)
{
    drawing::figures::KOTENDREIECK(*this, X, Y, DH, RIWI, GW, VOLL);
}

void clsGRAFIK::LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                             const std::vector<std::vector<float>>& P, int16_t IT)
{
    drawing::figures::LASTFLAECHEN(*this, X, Y, P, IT);
}

void clsGRAFIK::SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY)
{
    drawing::figures::SCHNITTKRAFT(*this, X1, Y1, X2, Y2, SHHH, TYP, SY);
}
