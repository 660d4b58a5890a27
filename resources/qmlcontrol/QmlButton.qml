import QtQuick
import wbutton

// An on/off button: mute, bypass, logic outputs, the setup menu button and the connection
// indicator (on, partial or off).
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: !isTristateButton

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
    property bool isSequence: false
    property bool isSetupButton: false
    property bool isTristateButton: false
    property bool isPartialStateActive: false

    readonly property bool partial: isTristateButton && isPartialStateActive
    readonly property string stateText: !hasText ? text
                                                 : partial ? partialText
                                                           : checked ? onText : offText
    readonly property string stateImage: !hasImage ? ""
                                                   : partial ? partialImage
                                                             : checked ? onImage : offImage
    readonly property color accentTint: Qt.rgba(intrf.accentColor.r, intrf.accentColor.g,
                                                intrf.accentColor.b, area.pressed ? 0.35 : 0.16)

    function press() {
        if (!isSetupButton) {
            wwidget.outputPressed()
        } else if (setupMenu.item) {
            intrf.closeSignal()
            setupMenu.item.show()
        }
    }

    function release() {
        if (!isSetupButton)
            wwidget.outputReleased()
    }

    // The connection indicator only shows a state; every other button acts.
    Accessible.role: isTristateButton ? Accessible.Indicator : Accessible.Button
    Accessible.name: stateText || wwidget.caption
                     || (isTristateButton ? qsTr("Connection") : isSetupButton ? qsTr("Setup") : qsTr("Button"))
    Accessible.description: wwidget.caption
    Accessible.checkable: !isSetupButton && !isTristateButton
    Accessible.checked: checked
    Accessible.focusable: activeFocusOnTab
    Accessible.onPressAction: {
        press()
        release()
    }

    // Space and Enter work as the mouse button: down on press, up on release.
    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            press()
        event.accepted = true
    }
    Keys.onReleased: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            release()
        event.accepted = true
    }

    Rectangle {
        id: face
        objectName: "face"
        anchors.fill: parent
        radius: Math.min(intrf.controlRadius, height / 2)
        // The connection indicator is an image, not a switch: it keeps a plain face.
        color: root.isTristateButton ? "transparent"
                                     : area.pressed || root.checked ? root.accentTint
                                                                    : intrf.toolBarColor
        border.color: root.checked && !root.isTristateButton ? intrf.accentColor
                                                             : intrf.linkInActive
        border.width: root.hasBorder ? Math.max(1, intrf.pixelScale) * (root.checked ? 2 : 1) : 0
        scale: area.pressed ? 0.97 : 1.0

        Behavior on color { ColorAnimation { duration: 80 } }
    }

    Row {
        anchors.centerIn: parent
        spacing: root.height * 0.15
        scale: face.scale

        Image {
            anchors.verticalCenter: parent.verticalCenter
            Accessible.ignored: true
            visible: root.stateImage.length > 0
            height: root.height * root.imageSize
            width: height
            source: root.stateImage
            sourceSize.height: height * 2
            fillMode: Image.PreserveAspectFit
            smooth: true
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            Accessible.ignored: true
            visible: text.length > 0
            // The text keeps its size while it fits and shrinks rather than being cut.
            width: Math.min(Math.ceil(metrics.advanceWidth) + 1,
                            root.width - root.height * 0.3
                            - (root.stateImage.length > 0 ? root.height * (root.imageSize + 0.15) : 0))
            height: root.height
            text: root.stateText
            color: root.checked && !root.isTristateButton ? intrf.accentColor : intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, root.height * 0.5625)
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.max(1, font.pixelSize * 0.5)
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter

            TextMetrics {
                id: metrics
                font.family: "Helvetica"
                font.pixelSize: Math.max(1, root.height * 0.5625)
                text: root.stateText
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onPressed: root.press()
        onReleased: root.release()
        // A press taken away (by a flick or a pop-up) still ends, or a sequence button sticks.
        onCanceled: root.release()
    }

    FocusRing {}

    Loader {
        id: setupMenu
        active: root.isSetupButton
        source: "qrc:/qml/objects/QmlPopupMenu.qml"
        onLoaded: {
            item.title = qsTr("Setup")
            item.command = "system"
            item.model = typeof setupMenuData !== "undefined" ? setupMenuData : []
        }
    }

    WButton {
        id: wwidget
        objectName: "widget"
    }
}
