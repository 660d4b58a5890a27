import QtQuick
import "overlay.js" as Overlay

// A modal list over the canvas. A click on an entry reports its index, a click outside -1;
// either way the list hides itself. Whoever creates it decides when to destroy it.
Item {
    id: popup

    property var model
    property int index: -1
    property string title: ""
    readonly property int entryCount: Overlay.countOf(model)
    readonly property real textSize: Math.max(1, intrf.menuTextSize)
    readonly property real rowHeight: textSize * 2.6

    // The entry the keyboard is on; the arrows move it, Enter or Space takes it.
    property int keyIndex: -1
    // Whoever had the keyboard before the list opened gets it back.
    property Item returnFocus: null

    signal listClick(int index)

    anchors.fill: parent
    z: 1000

    function open() {
        returnFocus = Window.activeFocusItem
        keyIndex = Math.max(0, index)
        Overlay.show(popup)
        forceActiveFocus()
    }

    function finish(entry) {
        visible = false
        if (returnFocus)
            returnFocus.forceActiveFocus()
        listClick(entry)
    }

    function moveKey(step) {
        keyIndex = Math.min(entryCount - 1, Math.max(0, keyIndex + step))
        list.positionViewAtIndex(keyIndex, ListView.Contain)
    }

    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Up)
            moveKey(-1)
        else if (event.key === Qt.Key_Down)
            moveKey(1)
        else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
            finish(keyIndex)
        else if (event.key === Qt.Key_Escape)
            finish(-1)
        else
            return
        event.accepted = true
    }

    function entryText(entry) {
        if (Array.isArray(model) || (model && model.length !== undefined))
            return String(model[entry])
        return ""
    }

    Rectangle {
        objectName: "nullRegion"
        anchors.fill: parent
        color: intrf.nullRegionColor

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onClicked: popup.finish(-1)
            onWheel: function(wheel) { wheel.accepted = true }
        }
    }

    Rectangle {
        id: box
        objectName: "popupBox"
        anchors.centerIn: parent
        width: parent.width * 0.9
        height: header.height + list.height
        radius: intrf.controlRadius
        color: intrf.menuColor
        border.color: intrf.menuLineColor
        clip: true

        // Swallows clicks on the frame and title so they do not count as outside.
        MouseArea {
            anchors.fill: parent
        }

        Item {
            id: header
            width: parent.width
            height: popup.title.length > 0 ? popup.rowHeight : 0
            visible: height > 0

            Text {
                anchors { fill: parent; leftMargin: popup.textSize; rightMargin: popup.textSize }
                verticalAlignment: Text.AlignVCenter
                text: popup.title
                color: intrf.accentColor
                elide: Text.ElideRight
                font { family: "Helvetica"; pixelSize: popup.textSize * 1.15; bold: true }
            }

            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: intrf.menuLineColor
            }
        }

        ListView {
            id: list
            objectName: "popupEntries"
            anchors.top: header.bottom
            width: parent.width
            height: Math.min(contentHeight, popup.height * 0.8 - header.height)
            boundsBehavior: Flickable.StopAtBounds
            // A list that fits has nothing to scroll; it then never takes a press for a flick.
            interactive: contentHeight > height
            clip: true
            model: popup.model
            currentIndex: popup.index

            // Drawn here rather than taken from the controls module, which would otherwise be
            // loaded with the desktop at every start for this one bar.
            Rectangle {
                objectName: "popupScrollBar"
                parent: list
                anchors.right: parent.right
                width: 3
                radius: 1.5
                visible: list.contentHeight > list.height
                y: list.visibleArea.yPosition * list.height
                height: list.visibleArea.heightRatio * list.height
                color: intrf.menuTextColor
                opacity: list.moving ? 0.6 : 0.3
            }

            delegate: Rectangle {
                id: entry
                required property int index
                required property var modelData
                readonly property bool current: index === popup.index

                width: list.width
                height: popup.rowHeight
                color: entryArea.pressed
                       ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g, intrf.accentColor.b, 0.2)
                       : entry.index === popup.keyIndex && popup.activeFocus
                         ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g, intrf.accentColor.b, 0.12)
                         : "transparent"

                Rectangle {
                    anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
                    width: 4
                    color: intrf.accentColor
                    visible: entry.current
                }

                Text {
                    anchors { fill: parent; leftMargin: popup.textSize; rightMargin: popup.textSize }
                    verticalAlignment: Text.AlignVCenter
                    text: String(entry.modelData)
                    color: entry.current ? intrf.accentColor : intrf.menuTextColor
                    elide: Text.ElideRight
                    font { family: "Helvetica"; pixelSize: popup.textSize }
                }

                Rectangle {
                    anchors.bottom: parent.bottom
                    x: popup.textSize
                    width: parent.width - 2 * popup.textSize
                    height: 1
                    color: intrf.menuLineColor
                    visible: entry.index < popup.entryCount - 1
                }

                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    onClicked: popup.finish(entry.index)
                }
            }
        }
    }
}
