import QtQuick
import wlabel

// Static rich text: captions and titles.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 0

    property string text: ""
    property string textFormat: "PlainText"
    property int horizontalAlignment: Text.AlignLeft
    property color textColor: intrf.textColor
    property real textScale: 1.0
    property bool enableEdit: false
    property bool selEnable: false
    property bool autoSize: false
    property bool sliderLabel: false

    Accessible.role: Accessible.StaticText
    Accessible.name: text.replace(/<[^>]*>/g, "").trim() || wwidget.caption || qsTr("Label")

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
        // A sized-to-fit caption stays on one line; a box of text wraps.
        wrapMode: root.autoSize ? Text.NoWrap : Text.WordWrap
    }

    WLabel {
        id: wwidget
        objectName: "widget"
    }
}
