import QtQuick
import wcmdbutton

// A button that sends a command to the dialer of its control.
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

    readonly property string caption: hasText ? onText : text

    function press() {
        flash.restart()
        wwidget.outputPressed()
    }

    Accessible.role: Accessible.Button
    Accessible.name: caption || wwidget.caption || qsTr("Command")
    Accessible.focusable: true
    Accessible.onPressAction: press()

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            press()
        event.accepted = true
    }

    Rectangle {
        objectName: "face"
        anchors.fill: parent
        radius: Math.min(intrf.controlRadius, height / 2)
        color: flash.running ? intrf.accentColor : intrf.toolBarColor
        border.color: flash.running ? intrf.accentColor : intrf.linkInActive
        border.width: root.hasBorder ? Math.max(1, intrf.pixelScale) : 0
        scale: area.pressed ? 0.97 : 1.0

        Behavior on color { ColorAnimation { duration: 60 } }
    }

    Row {
        anchors.centerIn: parent
        spacing: root.height * 0.15

        Image {
            anchors.verticalCenter: parent.verticalCenter
            Accessible.ignored: true
            visible: root.hasImage && root.onImage.length > 0
            height: root.height * root.imageSize
            width: height
            source: root.hasImage ? root.onImage : ""
            sourceSize.height: height * 2
            fillMode: Image.PreserveAspectFit
            smooth: true
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            Accessible.ignored: true
            visible: text.length > 0
            text: root.caption
            color: flash.running ? intrf.canvasColor : intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, root.height * 0.5625)
        }
    }

    Timer {
        id: flash
        interval: 200
    }

    MouseArea {
        id: area
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onPressed: root.press()
    }

    FocusRing {}

    WCmdButton {
        id: wwidget
        objectName: "widget"
    }
}
