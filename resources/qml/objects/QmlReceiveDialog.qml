import QtQuick
import QtQuick.Dialogs

// Shown while a panel is being received. A document of its own so that the dialogs module is
// loaded when the dialog is first wanted, not with the desktop at every start.
MessageDialog {
    id: dialog
    objectName: "receiveDialog"
    // The translation file keeps this text under the desktop's context.
    title: qsTranslate("QmlDesktop", "Receive Control Panel...")
    buttons: MessageDialog.Cancel
    onRejected: intrf.receiveDialogCanceled()

    Connections {
        target: intrf
        function onCloseReceiveDialog() { dialog.close() }
    }
}
