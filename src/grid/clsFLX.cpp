#include "grid/clsFLX.h"

#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"

#include <QComboBox>
#include <QLineEdit>

namespace grid {

clsFLX::clsFLX() = default;
clsFLX::~clsFLX() = default;

FlexGrid* clsFLX::EFLX() const { return m_flx; }
void clsFLX::EFLX(FlexGrid* grid) { m_flx = grid; }
std::shared_ptr<clsFLX> clsFLX::EFLXK()
{
    if (!m_flxk)
        m_flxk = std::make_shared<clsFLX>();
    return m_flxk;
}
void clsFLX::EFLXK(std::shared_ptr<clsFLX> editor) { m_flxk = std::move(editor); }
QLineEdit* clsFLX::ETXT() const { return m_txt; }
void clsFLX::ETXT(QLineEdit* txt) { m_txt = txt; }
QComboBox* clsFLX::ECBO() const { return m_cbo; }
void clsFLX::ECBO(QComboBox* cbo) { m_cbo = cbo; }
FlexPicture* clsFLX::EPIC() const { return m_pic; }
void clsFLX::EPIC(FlexPicture* pic) { m_pic = pic; }

void clsFLX::ELSB(const FlxWert& v) { m_lsb = v; }
void clsFLX::ELST1(const FlxWert& v) { m_lst1 = v; }
void clsFLX::ELST2(const FlxWert& v) { m_lst2 = v; }
void clsFLX::ELSTTT(const FlxWert& v) { m_lsttt = v; }
void clsFLX::ELSTYP(const FlxWert& v) { m_lstyp = v; }
FlxWert clsFLX::ELCBO(int16_t INDEX) const { return m_lcbo.at(size_t(INDEX)); }
void clsFLX::ELCBO(int16_t INDEX, const FlxWert& liste) { m_lcbo.at(size_t(INDEX)) = liste; }
void clsFLX::ELFORMAT(const FlxWert& v) { m_lformat = v; }
void clsFLX::ELA(const FlxWert& v) { m_la = v; }
void clsFLX::ELMIN(const FlxWert& v) { m_lmin = v; }
void clsFLX::ELMAX(const FlxWert& v) { m_lmax = v; }
void clsFLX::ELINDEXMIN(const FlxWert& v) { m_lindexmin = v; }
void clsFLX::ELINDEXMAX(const FlxWert& v) { m_lindexmax = v; }
void clsFLX::ELSELEK(const FlxWert& v) { m_lselek = v; }
QString clsFLX::EMATRIX(int16_t, int16_t) const { return {}; }
void clsFLX::EMATRIX(int16_t, int16_t, const FlxWert&) {}
void clsFLX::EBOH(bool v) { m_boh = v; }
void clsFLX::EDET(int16_t v) { m_det = v; }

void clsFLX::NUMMERIEREN() {}
void clsFLX::SCHRIFTEINSTELLUNGEN(const QString&, int16_t, bool, bool, bool, int32_t) {}
void clsFLX::AKTUALISIEREN() {}
void clsFLX::BESCHRIFTEN() {}
void clsFLX::BEARBEITEN(int16_t, float) {}
void clsFLX::EINFUEGEN(int16_t) {}
void clsFLX::ZEILEEINFUEGEN() {}
void clsFLX::ZEILEENTFERNEN() {}
void clsFLX::TOOLTIP(float, float) {}
bool clsFLX::IMPORTIEREN(const QString&, const QString&) { return false; }
void clsFLX::ZEILENFILTER() {}

} // namespace grid
