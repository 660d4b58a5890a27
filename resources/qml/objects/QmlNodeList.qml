import QtQuick
import "overlay.js" as Overlay

// The project's nodes that a template panel takes, one row each, to be dragged onto a drop
// site. The drag stays inside the window: a drop site reads the node from the dragged item.
Item {
    id: nodeList

    property var nodes: []
    property real maxHeight: 200
    readonly property real textSize: Math.max(1, intrf.dialogTextSize)
    readonly property real rowHeight: textSize * 2.2
    readonly property bool dragging: proxy.Drag.active

    // The rows whose label or category holds the filter text, in the program's order.
    readonly property var shown: {
        const wanted = filter.text.trim().toLowerCase()
        if (wanted.length === 0)
            return nodes
        return nodes.filter(function(node) {
            return String(node.label).toLowerCase().indexOf(wanted) >= 0
                    || String(node.category).toLowerCase().indexOf(wanted) >= 0
        })
    }

    width: 200
    height: list.y + list.height

    function reload() {
        filter.text = ""
        nodes = intrf.getNodeList()
    }

    Rectangle {
        id: filterBox
        width: parent.width
        height: nodeList.rowHeight
        radius: intrf.controlRadius
        color: "transparent"
        border.color: filter.activeFocus ? intrf.accentColor : intrf.menuLineColor

        TextInput {
            id: filter
            objectName: "nodeFilter"
            anchors {
                fill: parent
                leftMargin: nodeList.textSize * 0.6
                rightMargin: nodeList.textSize * 0.6
            }
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            color: intrf.menuTextColor
            selectByMouse: true
            font { family: "Helvetica"; pixelSize: nodeList.textSize }
            Accessible.name: qsTr("Filter nodes")
        }

        Text {
            anchors.fill: filter
            verticalAlignment: Text.AlignVCenter
            visible: filter.text.length === 0
            text: qsTr("Filter nodes: drag a row onto a drop site")
            color: intrf.linkInActive
            elide: Text.ElideRight
            font { family: "Helvetica"; pixelSize: nodeList.textSize; italic: true }
        }
    }

    ListView {
        id: list
        objectName: "nodeEntries"
        y: filterBox.height + nodeList.textSize * 0.4
        width: parent.width
        height: Math.min(contentHeight, nodeList.maxHeight - y)
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentHeight > height
        clip: true
        model: nodeList.shown

        delegate: Rectangle {
            id: row
            required property int index
            required property var modelData

            width: list.width
            height: nodeList.rowHeight
            color: rowArea.pressed
                   ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g, intrf.accentColor.b, 0.2)
                   : "transparent"

            Text {
                anchors { left: parent.left; right: category.left; rightMargin: nodeList.textSize }
                anchors.verticalCenter: parent.verticalCenter
                text: String(row.modelData.label)
                color: intrf.menuTextColor
                elide: Text.ElideRight
                font { family: "Helvetica"; pixelSize: nodeList.textSize }
            }

            Text {
                id: category
                anchors { right: parent.right; verticalCenter: parent.verticalCenter }
                text: String(row.modelData.category)
                color: intrf.linkInActive
                font { family: "Helvetica"; pixelSize: nodeList.textSize * 0.85 }
            }

            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: intrf.menuLineColor
                visible: row.index < list.count - 1
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                // A drag along the list moves the row, not the list.
                preventStealing: true
                drag.target: proxy
                drag.threshold: nodeList.textSize * 0.5
                onPressed: function(mouse) {
                    proxy.parent = Overlay.topItem(nodeList)
                    const at = row.mapToItem(proxy.parent, mouse.x, mouse.y)
                    proxy.label = String(row.modelData.label)
                    proxy.dropText = String(row.modelData.text)
                    proxy.dropData = String(row.modelData.data)
                    proxy.x = at.x - proxy.Drag.hotSpot.x
                    proxy.y = at.y - proxy.Drag.hotSpot.y
                }
                // Released while the drag is still on: the drop comes first, then the drag ends.
                onReleased: {
                    if (proxy.Drag.active)
                        proxy.Drag.drop()
                }
                drag.onActiveChanged: proxy.Drag.active = rowArea.drag.active
            }
        }
    }

    // The row's stand-in under the pointer; it hangs from the top item so that it stays
    // opaque while the box fades.
    Rectangle {
        id: proxy
        objectName: "nodeDragProxy"

        property string label: ""
        property string dropText: ""
        property string dropData: ""

        width: Math.min(list.width, labelText.implicitWidth + 2 * nodeList.textSize)
        height: nodeList.rowHeight
        radius: height / 2
        z: 3000
        visible: Drag.active
        color: intrf.accentColor

        Drag.dragType: Drag.Internal
        Drag.keys: ["application/dropsite"]
        Drag.mimeData: ({ "text/plain": proxy.dropText, "application/dropsite": proxy.dropData })
        Drag.hotSpot.x: nodeList.textSize
        Drag.hotSpot.y: height / 2

        Text {
            id: labelText
            anchors.centerIn: parent
            text: proxy.label
            color: "#FFFFFF"
            font { family: "Helvetica"; pixelSize: nodeList.textSize; bold: true }
        }
    }
}
