import QtQuick
import wdroplist

// A one-line selector: the chosen entry with a down arrow; a click opens the pop-up list.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""
    property string currentText: ""
    property int currentIndex: -1
    property int hasBorder: 0
    property int horizontalAlignment: Text.AlignLeft

    readonly property real textSize: Math.max(1, height * 0.5625)

    function openList() {
        var component = Qt.createComponent("qrc:/qml/objects/QmlPopupList.qml")
        if (component.status !== Component.Ready) {
            console.log("Error creating component at: qrc:/qml/objects/QmlPopupList.qml",
                        component.errorString())
            return
        }
        var popup = component.createObject(root, { title: wwidget.title })
        wwidget.popupList(popup)
        popup.open()
    }

    Accessible.role: Accessible.ComboBox
    Accessible.name: wwidget.title || wwidget.caption || qsTr("List")
    Accessible.description: currentText
    Accessible.onPressAction: openList()

    // The arrows choose without the pop-up; the widget refuses a step past either end. Enter or
    // Space opens the list, which the keyboard works too.
    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Up || event.key === Qt.Key_Left)
            wwidget.outputCurrentIndex(currentIndex - 1)
        else if (event.key === Qt.Key_Down || event.key === Qt.Key_Right)
            wwidget.outputCurrentIndex(currentIndex + 1)
        else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
            openList()
        else
            return
        event.accepted = true
    }

    Rectangle {
        anchors.fill: parent
        radius: intrf.controlRadius
        color: area.pressed
               ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g, intrf.accentColor.b, 0.15)
               : intrf.menuColor
        border.color: area.pressed ? intrf.accentColor : intrf.linkInActive
        border.width: root.hasBorder ? Math.max(1, intrf.pixelScale) : 0
    }

    Text {
        Accessible.ignored: true
        anchors {
            left: parent.left
            right: arrow.left
            top: parent.top
            bottom: parent.bottom
            leftMargin: root.height * 0.3
            rightMargin: root.height * 0.15
        }
        text: root.currentText.length > 0 ? root.currentText : wwidget.title
        color: root.currentText.length > 0 ? intrf.textColor : intrf.linkInActive
        elide: Text.ElideRight
        font.family: "Helvetica"
        font.pixelSize: root.textSize
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
    }

    Image {
        Accessible.ignored: true
        id: arrow
        anchors {
            right: parent.right
            rightMargin: root.height * 0.25
            verticalCenter: parent.verticalCenter
        }
        height: root.height * 0.45
        width: height
        source: intrf.downArrow
        fillMode: Image.PreserveAspectFit
        smooth: true
    }

    MouseArea {
        id: area
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onClicked: root.openList()
    }

    FocusRing {}

    WDropList {
        id: wwidget
        objectName: "widget"
    }
}
