// Record exchange: Datei/Export-Import and Datei/Export-Inf.system.
#include "shell/frmMAIN.h"

#include "database/SharedState.h"
#include "exchange/frmEXPIMP.h"
#include "exchange/frmEXPINF.h"
#include "platform/StepRunner.h"

void frmMAIN::mnuEXPIMP_Click()
{
    auto& st = state();
    vb::StepRunner op(caption(mnuEXPIMP), vb::kVbError);
    op.cleanup([this] {
        setMenuEnabled(mnuDATEI, true);
        setMenuEnabled(mnuAUSWERTEN, true);
        setMenuEnabled(mnuEXTRAS, true);
    }, true);
    op.step([&] {
          // Only an answer of this dialog may mark the project as changed.
          Tag().clear();
          setMenuEnabled(mnuDATEI, false);
          setMenuEnabled(mnuAUSWERTEN, false);
          setMenuEnabled(mnuEXTRAS, false);
          frmEXPIMP dlg(this);
          dlg.Form_Load();
          showModal(dlg);
          dlg.Form_Unload();
      })
        .step([&] {
            if (Tag() == QLatin1String("OK"))
                st.BOAENDERUNG = true;
        });
    op.run();
}

void frmMAIN::mnuEXPINF_Click()
{
    vb::StepRunner op(caption(mnuEXPINF), vb::kVbError);
    op.step([&] {
        frmEXPINF dlg(this);
        dlg.Form_Load();
        showModal(dlg);
        dlg.Form_Unload();
    });
    op.run();
}
