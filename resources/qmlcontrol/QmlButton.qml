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
        onPressed: {
            if (!root.isSetupButton) {
                wwidget.outputPressed()
            } else if (setupMenu.item) {
                intrf.closeSignal()
                setupMenu.item.show()
            }
        }
        onReleased: {
            if (!root.isSetupButton)
                wwidget.outputReleased()
        }
        // A press taken away (by a flick or a pop-up) still ends, or a sequence button sticks.
        onCanceled: {
            if (!root.isSetupButton)
                wwidget.outputReleased()
        }
    }

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
