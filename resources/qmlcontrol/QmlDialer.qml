import QtQuick
import wdialer

// The keypad of a telephone block: a display, twelve keys and a column of call buttons that
// follows the call state. Every action goes to the widget, and the display shows only what the
// widget reports: the state changes when the device says so, not when a button is pressed.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""

    Accessible.role: Accessible.Grouping
    Accessible.name: text || wwidget.caption || qsTr("Dialer")
    Accessible.description: wwidget.displayText

    readonly property int callState: wwidget.dialerState
    // The states in which the phone button dials; in every other one it ends the call.
    readonly property bool idle: callState === WDialer.State_HangUp
                                 || callState === WDialer.State_DialTone
                                 || callState === WDialer.State_OTHER
                                 || callState === WDialer.State_Startup
    readonly property bool incoming: callState === WDialer.State_Incoming
    readonly property bool waiting: callState === WDialer.State_ActiveIncoming
    readonly property bool held: wwidget.isHoldActive || callState === WDialer.State_Hold
    readonly property bool bothPhoneButtons: wwidget.alwaysShowCallAndEnd && !incoming && !waiting

    readonly property real margin: Math.min(width, height) * 0.02
    readonly property real gap: Math.min(width, height) * 0.025
    readonly property real slot: Math.max(1, (pad.height - 3 * gap) / 4)
    readonly property real lineWidth: Math.max(1, intrf.pixelScale)
    readonly property color pressTint: Qt.rgba(intrf.accentColor.r, intrf.accentColor.g,
                                               intrf.accentColor.b, 0.3)
    // Answering and hanging up keep the telephone's own colours whatever the skin.
    readonly property color callColor: "#2E9D4F"
    readonly property color endColor: "#D8413A"

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.text.length === 1 && "0123456789*#".indexOf(event.text) >= 0)
            wwidget.digit(event.text)
        else if (event.key === Qt.Key_Backspace)
            wwidget.backspace()
        else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
            wwidget.callOrEnd()
        else if (event.key === Qt.Key_Escape && root.idle)
            wwidget.clear()
        else if (event.key === Qt.Key_Escape)
            wwidget.callOrEnd()
        else
            return
        event.accepted = true
    }

    component DialKey: Rectangle {
        id: key
        required property string symbol
        property string letters: ""

        width: Math.max(1, (pad.width - 2 * root.gap) / 3)
        height: root.slot
        radius: Math.min(intrf.controlRadius, height / 4)
        color: keyArea.pressed ? root.pressTint : intrf.toolBarColor
        border.color: keyArea.pressed ? intrf.accentColor : intrf.borderColor
        border.width: root.lineWidth

        Accessible.role: Accessible.Button
        Accessible.name: key.symbol
        Accessible.onPressAction: wwidget.digit(key.symbol)

        Column {
            anchors.centerIn: parent

            Text {
                Accessible.ignored: true
                anchors.horizontalCenter: parent.horizontalCenter
                text: key.symbol
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: Math.max(1, key.height * 0.46)
            }

            Text {
                Accessible.ignored: true
                anchors.horizontalCenter: parent.horizontalCenter
                text: key.letters
                color: intrf.linkInActive
                font.family: "Helvetica"
                font.pixelSize: Math.max(1, key.height * 0.2)
                font.letterSpacing: key.height * 0.02
            }
        }

        MouseArea {
            id: keyArea
            anchors.fill: parent
            enabled: !intrf.editModeEnable
            onPressed: root.forceActiveFocus()
            onClicked: wwidget.digit(key.symbol)
            // A held 0 stands for "+"; any other key held is just the key.
            onPressAndHold: {
                if (key.symbol === "0")
                    wwidget.digitHeld(key.symbol)
                else
                    wwidget.digit(key.symbol)
            }
        }
    }

    // A button of the call column. A coloured one (call, end, answer, decline) carries its image
    // on a white disc so that the skin's green handset reads on any colour.
    component CallButton: Rectangle {
        id: button
        property string label: ""
        property string image: ""
        property real imageRotation: 0
        property color fill: "transparent"
        property bool checked: false
        property bool dimmed: false
        property int rows: 1
        signal activated

        readonly property bool coloured: fill.a > 0
        readonly property color ink: coloured ? "white" : checked ? intrf.accentColor
                                                                  : intrf.textColor

        width: parent.width
        height: rows * root.slot + (rows - 1) * root.gap
        radius: Math.min(intrf.controlRadius, Math.min(width, root.slot) / 4)
        color: coloured ? (callArea.pressed ? Qt.darker(fill, 1.2) : fill)
                        : callArea.pressed || checked ? root.pressTint : intrf.toolBarColor
        border.color: coloured ? Qt.darker(fill, 1.15)
                               : checked || callArea.pressed ? intrf.accentColor
                                                             : intrf.borderColor
        border.width: root.lineWidth
        opacity: dimmed ? 0.45 : 1.0

        Accessible.role: Accessible.Button
        Accessible.name: button.label
        Accessible.onPressAction: button.activated()

        Row {
            id: face
            anchors.centerIn: parent
            spacing: root.slot * 0.1
            readonly property real iconSize: root.slot * 0.52

            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                visible: button.image.length > 0
                width: face.iconSize
                height: width
                radius: button.coloured ? width / 2 : 0
                color: button.coloured ? "white" : "transparent"

                Image {
                    Accessible.ignored: true
                    anchors.centerIn: parent
                    width: parent.width * (button.coloured ? 0.72 : 0.9)
                    height: width
                    source: button.image
                    sourceSize.height: height * 2
                    fillMode: Image.PreserveAspectFit
                    rotation: button.imageRotation
                    smooth: true
                }
            }

            Text {
                Accessible.ignored: true
                anchors.verticalCenter: parent.verticalCenter
                // A long label takes two lines before it shrinks.
                width: Math.min(implicitWidth, button.width - root.slot * 0.2
                                - (button.image.length > 0 ? face.iconSize + face.spacing : 0))
                height: Math.min(implicitHeight, button.height * 0.9)
                text: button.label
                color: button.ink
                font.family: "Helvetica"
                font.bold: button.coloured
                font.pixelSize: Math.max(1, root.slot * 0.3)
                fontSizeMode: Text.Fit
                minimumPixelSize: Math.max(1, font.pixelSize * 0.6)
                wrapMode: Text.WordWrap
                maximumLineCount: 2
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }

        MouseArea {
            id: callArea
            anchors.fill: parent
            enabled: !intrf.editModeEnable
            onPressed: root.forceActiveFocus()
            onClicked: button.activated()
        }
    }

    // A click anywhere else on the keypad only takes the keyboard.
    MouseArea {
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onPressed: root.forceActiveFocus()
    }

    Rectangle {
        id: display
        x: root.margin
        y: root.margin
        width: Math.max(1, root.width - 2 * root.margin)
        height: Math.max(1, root.height * 0.24)
        radius: Math.min(intrf.controlRadius, height / 4)
        color: intrf.canvasColor
        border.color: root.activeFocus ? intrf.accentColor : intrf.borderColor
        border.width: root.lineWidth * (root.activeFocus ? 2 : 1)

        readonly property real inset: height * 0.1
        readonly property real line: height * 0.24

        Text {
            id: status
            objectName: "status"
            x: display.inset
            y: display.inset * 0.6
            width: display.width - 2 * display.inset - offline.width - type.width
            height: display.line
            text: wwidget.statusText
            color: intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, display.line * 0.75)
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }

        Text {
            id: type
            anchors.right: offline.left
            anchors.rightMargin: offline.visible ? display.inset * 0.5 : 0
            anchors.verticalCenter: status.verticalCenter
            text: wwidget.callType
            color: intrf.linkInActive
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, display.line * 0.6)
        }

        Image {
            id: offline
            objectName: "offline"
            anchors.right: parent.right
            anchors.rightMargin: display.inset
            anchors.verticalCenter: status.verticalCenter
            visible: wwidget.isOffline
            width: visible ? display.line * 0.8 : 0
            height: display.line * 0.8
            source: visible ? intrf.connectInd : ""
            sourceSize.height: height * 2
            fillMode: Image.PreserveAspectFit
            smooth: true
        }

        Text {
            objectName: "number"
            anchors.centerIn: parent
            width: display.width - 2 * (backspaceKey.width + display.inset * 1.5)
            height: display.height * 0.42
            text: wwidget.displayText
            color: intrf.textColor
            font.family: "Helvetica"
            font.bold: true
            font.pixelSize: Math.max(1, height * 0.85)
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.max(1, font.pixelSize * 0.4)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Text {
            anchors.centerIn: parent
            visible: !wwidget.displayText
            text: qsTr("Enter a number")
            color: intrf.linkInActive
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, display.line * 0.8)
        }

        Text {
            objectName: "caller"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: display.inset * 0.6
            width: display.width - 2 * display.inset
            height: display.line
            text: wwidget.idString
            color: intrf.accentColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, display.line * 0.75)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }

        Rectangle {
            id: backspaceKey
            objectName: "backspace"
            anchors.right: parent.right
            anchors.rightMargin: display.inset
            anchors.verticalCenter: parent.verticalCenter
            width: display.height * 0.42
            height: width
            radius: Math.min(intrf.controlRadius, width / 4)
            color: backspaceArea.pressed ? root.pressTint : "transparent"

            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Backspace")
            Accessible.onPressAction: wwidget.backspace()

            Image {
                Accessible.ignored: true
                anchors.fill: parent
                anchors.margins: parent.width * 0.1
                source: intrf.backspace
                sourceSize.height: height * 2
                fillMode: Image.PreserveAspectFit
                smooth: true
            }

            MouseArea {
                id: backspaceArea
                anchors.fill: parent
                enabled: !intrf.editModeEnable
                onPressed: root.forceActiveFocus()
                onClicked: wwidget.backspace()
                onPressAndHold: wwidget.backspaceHeld()
            }
        }
    }

    Grid {
        id: pad
        x: root.margin
        y: display.y + display.height + root.gap
        width: Math.max(1, (root.width - 2 * root.margin - root.gap) * 0.66)
        height: Math.max(1, root.height - y - root.margin)
        columns: 3
        spacing: root.gap

        DialKey { objectName: "key1"; symbol: "1" }
        DialKey { objectName: "key2"; symbol: "2"; letters: "ABC" }
        DialKey { objectName: "key3"; symbol: "3"; letters: "DEF" }
        DialKey { objectName: "key4"; symbol: "4"; letters: "GHI" }
        DialKey { objectName: "key5"; symbol: "5"; letters: "JKL" }
        DialKey { objectName: "key6"; symbol: "6"; letters: "MNO" }
        DialKey { objectName: "key7"; symbol: "7"; letters: "PQRS" }
        DialKey { objectName: "key8"; symbol: "8"; letters: "TUV" }
        DialKey { objectName: "key9"; symbol: "9"; letters: "WXYZ" }
        DialKey { objectName: "keyStar"; symbol: "*" }
        DialKey { objectName: "key0"; symbol: "0"; letters: "+" }
        DialKey { objectName: "keyHash"; symbol: "#" }
    }

    // Four rows beside the keypad; which buttons fill them depends on the call.
    Column {
        x: pad.x + pad.width + root.gap
        y: pad.y
        width: Math.max(1, root.width - x - root.margin)
        spacing: root.gap

        CallButton {
            objectName: "call"
            visible: root.idle || root.bothPhoneButtons
            rows: root.bothPhoneButtons ? 1 : 2
            label: qsTr("Call")
            image: intrf.phone
            imageRotation: 135
            fill: root.callColor
            onActivated: wwidget.callOrEnd()
        }

        CallButton {
            objectName: "end"
            visible: !root.idle && !root.incoming && !root.waiting || root.bothPhoneButtons
            rows: root.bothPhoneButtons ? 1 : 2
            label: qsTr("End")
            image: intrf.phone
            fill: root.endColor
            onActivated: wwidget.callOrEnd()
        }

        CallButton {
            objectName: "answer"
            visible: root.incoming
            label: qsTr("Answer")
            image: intrf.phone
            imageRotation: 135
            fill: root.callColor
            onActivated: wwidget.accept()
        }

        CallButton {
            objectName: "endAndAnswer"
            visible: root.waiting
            label: qsTr("Answer & End")
            fill: root.callColor
            onActivated: wwidget.endAndAccept()
        }

        CallButton {
            objectName: "holdAndAnswer"
            visible: root.waiting
            label: qsTr("Hold & Answer")
            image: intrf.hold
            onActivated: wwidget.holdAndAccept()
        }

        CallButton {
            objectName: "decline"
            visible: root.incoming || root.waiting
            label: qsTr("Decline")
            image: intrf.phone
            fill: root.endColor
            onActivated: root.waiting ? wwidget.declineAndStayActive() : wwidget.callOrEnd()
        }

        CallButton {
            objectName: "hold"
            visible: !root.waiting
            label: root.held ? qsTr("Resume") : qsTr("Hold")
            image: intrf.hold
            checked: root.held
            dimmed: root.callState !== WDialer.State_Active && !root.held
            onActivated: root.held ? wwidget.accept() : wwidget.hold()
        }

        CallButton {
            objectName: "flash"
            label: qsTr("Flash")
            image: intrf.flash
            dimmed: root.callState !== WDialer.State_Active && !root.waiting
            onActivated: wwidget.addCallOrFlash()
        }
    }

    WDialer {
        id: wwidget
        objectName: "widget"
    }
}
