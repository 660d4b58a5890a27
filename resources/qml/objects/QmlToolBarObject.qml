import QtQuick

// Header title on the left, connection indicator on the right.
Rectangle {
    id: toolBar
    property real ratio: intrf.toolBarHeightRatio
    color: intrf.toolBarColor

    onHeightChanged: {
        intrf.toolBarImageSize = height * 0.4375
        intrf.toolBarTextSize = height * 0.375
    }

    Text {
        objectName: "headerTitle"
        anchors { left: parent.left; leftMargin: parent.height * 0.25; verticalCenter: parent.verticalCenter }
        text: intrf.headerTitle
        color: intrf.toolBarTextColor
        font { family: "Helvetica"; pixelSize: Math.max(1, intrf.toolBarTextSize) }
        elide: Text.ElideRight
        width: parent.width * 0.7
    }

    Image {
        objectName: "connectionIndicator"
        anchors { right: parent.right; rightMargin: parent.height * 0.25; verticalCenter: parent.verticalCenter }
        width: intrf.toolBarImageSize
        height: intrf.toolBarImageSize
        source: intrf.connectInd
        fillMode: Image.PreserveAspectFit
        Component.onCompleted: intrf.setObject("Connected", this)
    }

    Rectangle {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 1
        color: intrf.toolBarShadow
    }
}
