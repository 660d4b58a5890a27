import QtQuick
import wtextedit

// A numeric box: shows what the widget writes to "text" and hands a finished entry back
// through onTextChanged.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""

    // The widget's text replaces the box's content, except while the user is typing.
    onTextChanged: {
        if (!input.activeFocus)
            input.text = root.text
    }

    Rectangle {
        anchors.fill: parent
        radius: Math.min(intrf.controlRadius, height / 4)
        color: intrf.menuColor
        border.color: input.activeFocus ? intrf.accentColor : intrf.borderColor
        border.width: Math.max(1, intrf.pixelScale) * (input.activeFocus ? 2 : 1)
    }

    TextInput {
        id: input
        anchors.fill: parent
        anchors.margins: Math.max(2, root.height * 0.1)
        enabled: !intrf.editModeEnable
        color: intrf.textColor
        selectionColor: intrf.accentColor
        selectedTextColor: intrf.menuColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5)
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        selectByMouse: true
        inputMethodHints: Qt.ImhFormattedNumbersOnly
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: wwidget.caption || qsTr("Value")
        validator: RegularExpressionValidator { regularExpression: /[-+]?[0-9]{0,6}([.][0-9]{0,3})?%?/ }

        onActiveFocusChanged: {
            if (activeFocus)
                selectAll()
            else
                text = root.text // left without Enter: the entry is dropped
        }
        onAccepted: {
            root.text = text
            wwidget.onTextChanged()
            focus = false
        }
        Keys.onEscapePressed: focus = false
    }

    WTextEdit {
        id: wwidget
        objectName: "widget"
    }
}
