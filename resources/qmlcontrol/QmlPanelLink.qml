import QtQuick
import wpanellink

// A text or image button that jumps to another panel.
Rectangle {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""
    property string textFormat: "PlainText"
    property int horizontalAlignment: Text.AlignLeft
    property color textColor: intrf.textColor
    property real textScale: 1.0
    property bool enableEdit: false
    property bool selEnable: false
    property bool autoSize: false
    property bool sliderLabel: false
    property bool buttonMode: false
    property bool imageValid: false
    property string image: ""
    property string imagePath: ""
    property int hasBorder: 0
    property bool keepImageInBounds: false

    color: buttonMode ? (linkArea.pressed ? intrf.accentColor : intrf.menuColor) : "transparent"
    radius: intrf.controlRadius
    border.color: intrf.linkInActive
    border.width: buttonMode && hasBorder ? Math.max(1, intrf.pixelScale) : 0

    Text {
        Accessible.ignored: true
        anchors.fill: parent
        text: root.text
        textFormat: root.textFormat === "RichText" ? Text.RichText : Text.PlainText
        color: root.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5 * (root.autoSize ? 1.0 : root.textScale))
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
        visible: !root.imageValid
    }

    Image {
        Accessible.ignored: true
        anchors.fill: parent
        visible: root.imageValid
        source: root.image
        fillMode: root.keepImageInBounds ? Image.PreserveAspectFit : Image.Stretch
    }

    Accessible.role: buttonMode ? Accessible.Button : Accessible.Link
    Accessible.name: (imageValid ? "" : text.replace(/<[^>]*>/g, "").trim()) || wwidget.caption
                     || qsTr("Panel link")
    Accessible.onPressAction: wwidget.selectPanel()

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            wwidget.selectPanel()
        event.accepted = true
    }

    MouseArea {
        id: linkArea
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onClicked: wwidget.selectPanel()
    }

    FocusRing {}

    WPanelLink {
        id: wwidget
        objectName: "widget"
    }
}
