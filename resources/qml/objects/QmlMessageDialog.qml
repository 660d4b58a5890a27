import QtQuick

// A modal message box over the canvas: title, scrollable text and one button.
// Whoever shows it sets title, text and button; the button hides it and emits quit().
Item {
    id: dialog

    property string title: ""
    property string text: ""
    property string button: qsTr("OK")
    // Items shown above the title (the about box puts its logos here).
    default property alias header: headerArea.data
    // Items shown between the title and the text (the project information's node list).
    property alias extra: extraArea.data
    // While something is dragged out of the box onto the panel, the panel shows through.
    property bool faded: false
    readonly property real textSize: Math.max(1, intrf.dialogTextSize)
    readonly property real margin: textSize * 1.25

    signal quit()

    anchors.fill: parent
    z: 1001

    function accept() {
        visible = false
        quit()
    }

    Keys.onReturnPressed: accept()
    Keys.onEscapePressed: accept()
    onVisibleChanged: if (visible) forceActiveFocus()

    Rectangle {
        anchors.fill: parent
        color: intrf.nullRegionColor
        opacity: dialog.faded ? 0 : 1

        // Modal: clicks beside the box are swallowed, not passed to the panel.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onWheel: function(wheel) { wheel.accepted = true }
        }
    }

    Rectangle {
        id: box
        objectName: "dialogBox"
        anchors.centerIn: parent
        width: parent.width * 0.85
        height: content.height + 2 * dialog.margin
        radius: intrf.controlRadius
        color: intrf.menuColor
        border.color: intrf.menuLineColor
        opacity: dialog.faded ? 0.15 : 1

        Column {
            id: content
            x: dialog.margin
            y: dialog.margin
            width: parent.width - 2 * dialog.margin
            spacing: dialog.margin * 0.6

            Item {
                id: headerArea
                width: parent.width
                height: childrenRect.height
                visible: children.length > 0
            }

            Text {
                objectName: "dialogTitle"
                width: parent.width
                text: dialog.title
                color: intrf.menuTextColor
                wrapMode: Text.Wrap
                font { family: "Helvetica"; pixelSize: dialog.textSize * 1.25; bold: true }
            }

            Rectangle {
                width: parent.width
                height: 1
                color: intrf.menuLineColor
            }

            Item {
                id: extraArea
                width: parent.width
                height: childrenRect.height
                visible: children.length > 0
            }

            Flickable {
                id: scroller
                width: parent.width
                height: Math.min(body.implicitHeight,
                                 dialog.height * (extraArea.children.length > 0 ? 0.25 : 0.55))
                contentHeight: body.implicitHeight
                boundsBehavior: Flickable.StopAtBounds
                clip: true

                Text {
                    id: body
                    objectName: "dialogText"
                    width: scroller.width
                    text: dialog.text
                    color: intrf.menuTextColor
                    wrapMode: Text.Wrap
                    font { family: "Helvetica"; pixelSize: dialog.textSize }
                }
            }

            Rectangle {
                objectName: "dialogButton"
                anchors.right: parent.right
                width: Math.max(dialog.textSize * 6, label.implicitWidth + 2 * dialog.margin)
                height: dialog.textSize * 2.4
                radius: height / 2
                color: buttonArea.pressed ? Qt.darker(intrf.accentColor, 1.2) : intrf.accentColor

                Text {
                    id: label
                    anchors.centerIn: parent
                    text: dialog.button
                    color: "#FFFFFF"
                    font { family: "Helvetica"; pixelSize: dialog.textSize; bold: true }
                }

                MouseArea {
                    id: buttonArea
                    anchors.fill: parent
                    onClicked: dialog.accept()
                }
            }
        }
    }
}
