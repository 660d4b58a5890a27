import QtQuick
import "overlay.js" as Overlay

// The setup and scene menus. With command "system" the first three entries are answered
// here (about, project information with the node list, network status); every other choice
// is posted to the program as command and entry text. Native code closes an open menu by
// setting cancel.
QmlPopupList {
    id: menu

    property string command: ""
    property bool cancel: false

    visible: false
    enabled: entryCount > 1

    // Returns false when there is nothing to choose from.
    function show() {
        if (!enabled)
            return false
        cancel = false
        open()
        return true
    }

    function showDialog(dialog, title, text) {
        dialog.title = title
        dialog.text = text
        Overlay.show(dialog)
    }

    function systemEntry(entry, text) {
        if (entry === 0)
            showDialog(aboutDialog, text, intrf.getVersionText())
        else if (entry === 1) {
            projectNodes.reload()
            showDialog(projectDialog, text, intrf.getProjectInfoString())
        }
        else if (entry === 2)
            showDialog(networkDialog, text, intrf.getNetworkStatusString())
        else
            intrf.postCommand("system", text)
    }

    onVisibleChanged: intrf.setObject("ModalObject", visible ? menu : null)
    onCancelChanged: {
        if (!cancel)
            return
        cancel = false
        visible = false
    }

    onListClick: function(entry) {
        if (entry < 0)
            return
        const text = entryText(entry)
        if (command === "system")
            systemEntry(entry, text)
        else
            intrf.postCommand(command, text)
    }

    QmlAboutDialog {
        id: aboutDialog
        visible: false
    }

    QmlMessageDialog {
        id: networkDialog
        objectName: "networkDialog"
        visible: false

        // Devices come and go while the box is open; it follows them.
        Timer {
            interval: 1000
            repeat: true
            running: networkDialog.visible
            onTriggered: networkDialog.text = intrf.getNetworkStatusString()
        }
    }

    // The project information also lists the nodes that can be dragged onto a drop site.
    QmlMessageDialog {
        id: projectDialog
        objectName: "projectDialog"
        visible: false
        faded: projectNodes.dragging
        extra: QmlNodeList {
            id: projectNodes
            width: parent ? parent.width : 0
            maxHeight: projectDialog.height * 0.35
        }
    }
}
