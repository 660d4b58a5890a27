import QtQuick
import "overlay.js" as Overlay

// Arrows that step through the panels, the scene title that opens the scene menu, and one
// dot per panel of the scene.
Rectangle {
    id: statusBar

    property real ratio: intrf.statusBarHeightRatio

    color: intrf.statusBarColor

    onHeightChanged: {
        intrf.statusBarArrowHeight = height * 0.375
        intrf.statusBarTextSize = height * 0.3125
    }

    component ArrowButton: MouseArea {
        id: arrow
        property string event
        property alias source: icon.source
        width: statusBar.height
        height: statusBar.height
        onClicked: intrf.postCommand("event", arrow.event)

        Image {
            id: icon
            anchors.centerIn: parent
            width: Math.max(1, intrf.statusBarArrowHeight)
            height: width
            fillMode: Image.PreserveAspectFit
            smooth: true
            opacity: arrow.pressed ? 0.5 : 1.0
        }
    }

    ArrowButton {
        objectName: "leftArrow"
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        source: intrf.leftArrow
        event: "leftarrow"
    }

    ArrowButton {
        objectName: "rightArrow"
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        source: intrf.rightArrow
        event: "rightarrow"
    }

    Item {
        id: titleButton
        objectName: "sceneTitle"
        anchors {
            horizontalCenter: parent.horizontalCenter
            top: parent.top
            topMargin: parent.height * 0.1
        }
        width: Math.min(titleRow.implicitWidth, statusBar.width - 2.5 * statusBar.height)
        height: statusBar.height * 0.5
        opacity: titleArea.pressed ? 0.6 : 1.0

        Row {
            id: titleRow
            anchors.centerIn: parent
            spacing: statusBar.height * 0.08

            Image {
                anchors.verticalCenter: parent.verticalCenter
                height: Math.max(1, intrf.statusBarTextSize)
                width: height
                source: intrf.collections
                fillMode: Image.PreserveAspectFit
                smooth: true
                visible: sceneMenu.enabled
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(implicitWidth, titleButton.width)
                text: intrf.sceneTitle
                color: intrf.statusBarTextColor
                elide: Text.ElideRight
                font { family: "Helvetica"; pixelSize: Math.max(1, intrf.statusBarTextSize) }
            }
        }

        MouseArea {
            id: titleArea
            anchors.fill: parent
            enabled: sceneMenu.enabled
            onClicked: sceneMenu.show()
        }
    }

    Row {
        objectName: "pageDots"
        anchors {
            horizontalCenter: parent.horizontalCenter
            bottom: parent.bottom
            bottomMargin: parent.height * 0.16
        }
        spacing: statusBar.height * 0.1

        Repeater {
            model: intrf.pageCount
            Rectangle {
                required property int index
                width: statusBar.height * 0.11
                height: width
                radius: width / 2
                color: index === intrf.pageIndex ? intrf.accentColor : intrf.pageInActive
            }
        }
    }

    Rectangle {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 1
        color: intrf.statusBarShadow
    }

    QmlPopupMenu {
        id: sceneMenu
        objectName: "sceneMenu"
        title: qsTr("Collections")
        command: "scene"
        model: typeof sceneMenuData !== "undefined" ? sceneMenuData : []
        index: Overlay.indexOf(model, intrf.sceneTitle)
    }
}
