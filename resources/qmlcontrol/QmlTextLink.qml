import QtQuick
import wtextlink

// A pill that recalls one entry of a list parameter (a preset); highlighted while the device
// reports its entry as the current one.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property bool checked: false
    property string text: ""
    property string onText // no initialiser: "onText: ..." would read as a signal handler
    property string offText: ""
    property string partialText: ""
    property string onImage // likewise
    property string offImage: ""
    property string partialImage: ""
    property bool hasText: false
    property bool hasImage: false
    property real imageSize: 1.0
    property int hasBorder: 0
    property int current: -1
    property int index: 0
    property bool buttonMode: false

    readonly property bool active: index === current
    readonly property bool lit: active || flash.running

    function click() {
        flash.restart()
        wwidget.outputClicked()
    }

    Accessible.role: Accessible.Button
    Accessible.name: text || wwidget.caption || qsTr("Preset")
    Accessible.checkable: true
    Accessible.checked: active
    Accessible.onPressAction: click()

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            click()
        event.accepted = true
    }

    Rectangle {
        objectName: "pill"
        anchors.fill: parent
        radius: height / 2
        color: flash.running ? intrf.accentColor
                             : root.active ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g,
                                                     intrf.accentColor.b, 0.16)
                                           : root.buttonMode ? intrf.toolBarColor : "transparent"
        border.color: root.lit ? intrf.accentColor : intrf.linkInActive
        border.width: root.buttonMode && root.hasBorder ? Math.max(1, intrf.pixelScale)
                                                          * (root.active ? 2 : 1)
                                                        : 0

        Behavior on color { ColorAnimation { duration: 60 } }
    }

    Text {
        Accessible.ignored: true
        anchors { fill: parent; leftMargin: root.height * 0.5; rightMargin: root.height * 0.5 }
        text: root.text
        color: flash.running ? intrf.canvasColor : root.active ? intrf.accentColor : intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5625)
        font.bold: root.active
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Math.max(1, font.pixelSize * 0.5)
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    Timer {
        id: flash
        interval: 100
    }

    MouseArea {
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onPressed: flash.restart()
        onClicked: wwidget.outputClicked()
    }

    FocusRing {}

    WTextLink {
        id: wwidget
        objectName: "widget"
    }
}
