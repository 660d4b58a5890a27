import QtQuick

// Arrows that step through the panels, the scene title and one dot per panel.
Rectangle {
    id: statusBar
    property real ratio: intrf.statusBarHeightRatio
    color: intrf.statusBarColor

    onHeightChanged: {
        intrf.statusBarArrowHeight = height * 0.375
        intrf.statusBarTextSize = height * 0.3125
    }

    MouseArea {
        objectName: "leftArrow"
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
        width: parent.height
        onClicked: intrf.postCommand("event", "leftarrow")
        Text {
            anchors.centerIn: parent
            text: "\u2039"
            color: intrf.statusBarTextColor
            font { family: "Helvetica"; pixelSize: Math.max(1, intrf.statusBarArrowHeight) }
        }
    }

    Text {
        objectName: "sceneTitle"
        anchors { horizontalCenter: parent.horizontalCenter; top: parent.top; topMargin: parent.height * 0.12 }
        text: intrf.sceneTitle
        color: intrf.statusBarTextColor
        font { family: "Helvetica"; pixelSize: Math.max(1, intrf.statusBarTextSize) }
    }

    Row {
        objectName: "pageDots"
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: parent.height * 0.15 }
        spacing: statusBar.height * 0.1
        Repeater {
            model: intrf.pageCount
            Rectangle {
                required property int index
                width: statusBar.height * 0.12
                height: width
                radius: width / 2
                color: index === intrf.pageIndex ? intrf.accentColor : intrf.pageInActive
            }
        }
    }

    MouseArea {
        objectName: "rightArrow"
        anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
        width: parent.height
        onClicked: intrf.postCommand("event", "rightarrow")
        Text {
            anchors.centerIn: parent
            text: "\u203A"
            color: intrf.statusBarTextColor
            font { family: "Helvetica"; pixelSize: Math.max(1, intrf.statusBarArrowHeight) }
        }
    }

    Rectangle {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 1
        color: intrf.statusBarShadow
    }
}
