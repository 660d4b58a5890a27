#include "controls/wqmltypes.h"

#include "controls/wactivecombo.h"
#include "controls/wbutton.h"
#include "controls/wcmdbutton.h"
#include "controls/wcomboselection.h"
#include "controls/wdialer.h"
#include "controls/wdroplist.h"
#include "controls/wdropsite.h"
#include "controls/wframe.h"
#include "controls/wimage.h"
#include "controls/wlabel.h"
#include "controls/wlevelbuttons.h"
#include "controls/wmeter.h"
#include "controls/wmeterimage.h"
#include "controls/wpanellink.h"
#include "controls/wregion.h"
#include "controls/wroomselection.h"
#include "controls/wslider.h"
#include "controls/wtextedit.h"
#include "controls/wtextlink.h"
#include "controls/wwidget.h"
#include "model/mqmlinterface.h"

#include <QQmlEngine>

void registerQmlTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qmlRegisterType<MQmlInterface>("mqmlinterface", 1, 0, "MQmlInterface");
    qmlRegisterType<WWidget>("wwidget", 1, 0, "WWidget");
    qmlRegisterType<WButton>("wbutton", 1, 0, "WButton");
    qmlRegisterType<WCmdButton>("wcmdbutton", 1, 0, "WCmdButton");
    qmlRegisterType<WDialer>("wdialer", 1, 0, "WDialer");
    qmlRegisterType<WDropList>("wdroplist", 1, 0, "WDropList");
    qmlRegisterType<WDropSite>("wdropsite", 1, 0, "WDropSite");
    qmlRegisterType<WFrame>("wframe", 1, 0, "WFrame");
    qmlRegisterType<WImage>("wimage", 1, 0, "WImage");
    qmlRegisterType<WLabel>("wlabel", 1, 0, "WLabel");
    qmlRegisterType<WPanelLink>("wpanellink", 1, 0, "WPanelLink");
    qmlRegisterType<WRegion>("wregion", 1, 0, "WRegion");
    qmlRegisterType<WSlider>("wslider", 1, 0, "WSlider");
    qmlRegisterType<WTextEdit>("wtextedit", 1, 0, "WTextEdit");
    qmlRegisterType<WTextLink>("wtextlink", 1, 0, "WTextLink");
    qmlRegisterType<WActiveCombo>("wactivecombo", 1, 0, "WActiveCombo");
    qmlRegisterType<WComboSelection>("wcomboselection", 1, 0, "WComboSelection");
    qmlRegisterType<WRoomSelection>("wroomselection", 1, 0, "WRoomSelection");
    qmlRegisterType<WLevelButtons>("wlevelbuttons", 1, 0, "WLevelButtons");
    qmlRegisterType<WMeter>("wmeter", 1, 0, "WMeter");
    qmlRegisterType<WMeterImage>("wmeterimage", 1, 0, "WMeterImage");
}
