import QtQuick

// Header title on the left; connection indicator and setup-menu button on the right.
Rectangle {
    id: toolBar

    property real ratio: intrf.toolBarHeightRatio
    // Indicator and menu button height as a share of the bar height.
    property real imageRatio: 0.4375

    color: intrf.toolBarColor

    onHeightChanged: {
        intrf.toolBarImageSize = height * imageRatio
        intrf.toolBarTextSize = height * 0.375
    }

    Text {
        objectName: "headerTitle"
        anchors {
            left: parent.left
            leftMargin: parent.height * 0.3
            right: indicator.left
            rightMargin: parent.height * 0.3
            verticalCenter: parent.verticalCenter
        }
        text: intrf.headerTitle
        color: intrf.toolBarTextColor
        elide: Text.ElideRight
        font { family: "Helvetica"; pixelSize: Math.max(1, intrf.toolBarTextSize) }
    }

    Image {
        id: indicator
        objectName: "connectionIndicator"
        anchors {
            right: menuButton.left
            rightMargin: toolBar.height * 0.25
            verticalCenter: parent.verticalCenter
        }
        width: intrf.toolBarImageSize
        height: intrf.toolBarImageSize
        source: intrf.connectInd
        fillMode: Image.PreserveAspectFit
        smooth: true
        Component.onCompleted: intrf.setObject("Connected", indicator)
    }

    Image {
        id: menuButton
        objectName: "setupButton"
        anchors {
            right: parent.right
            rightMargin: toolBar.height * 0.3
            verticalCenter: parent.verticalCenter
        }
        width: intrf.toolBarImageSize
        height: intrf.toolBarImageSize
        source: intrf.setupButton
        fillMode: Image.PreserveAspectFit
        smooth: true
        enabled: setupMenu.enabled
        opacity: enabled ? (menuArea.pressed ? 0.6 : 1.0) : 0.35

        MouseArea {
            id: menuArea
            anchors.fill: parent
            anchors.margins: -toolBar.height * 0.2
            onClicked: {
                intrf.closeSignal()
                setupMenu.show()
            }
        }
    }

    Rectangle {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 1
        color: intrf.toolBarShadow
    }

    QmlPopupMenu {
        id: setupMenu
        objectName: "setupMenu"
        title: qsTr("Setup")
        command: "system"
        model: typeof setupMenuData !== "undefined" ? setupMenuData : []
    }
}
