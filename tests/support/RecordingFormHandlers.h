#pragma once

#include "forms/ObjectForm.h"
#include "forms/ObjectFormHandlers.h"

#include <QStringList>

// Records every handler the object form runs, with the sender's name (and the new tab).
class RecordingHandlers : public kvt::ObjectFormHandlers {
public:
    QStringList calls;
    bool allowTabChange = true;

    void SpeedButton3Click(kvt::FormControl& sender) override { calls << u"SpeedButton3Click "_qs + sender.name(); }
    void Send_Pusk_ButtonClick(kvt::FormControl& sender) override
    {
        calls << u"Send_Pusk_ButtonClick "_qs + sender.name();
    }
    void TabSet1Change(kvt::FormControl& sender, int newTab, bool& allowChange) override
    {
        calls << QStringLiteral("TabSet1Change %1 %2").arg(sender.name()).arg(newTab);
        allowChange = allowTabChange;
    }
    void SpinEdit2DblClick(kvt::FormControl& sender) override { calls << u"SpinEdit2DblClick "_qs + sender.name(); }
    void SpinEdit3DblClick(kvt::FormControl& sender) override { calls << u"SpinEdit3DblClick "_qs + sender.name(); }
};
