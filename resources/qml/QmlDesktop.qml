import QtQuick

// The desktop canvas: a top row, the control area and a bottom row, stacked. The rows are
// documents named by path ("?" for none); each declares the share of the height it takes.
Canvas {
    id: canvas
    objectName: "QmlCanvas"
    width: 317
    height: 507

    readonly property string toolBar: "qrc:/qml/objects/QmlToolBarObject.qml"
    readonly property string minToolBar: "qrc:/qml/objects/QmlMinToolBarObject.qml"
    readonly property string statusBar: "qrc:/qml/objects/QmlStatusBarObject.qml"
    property string topRow: intrf.topRow
    property string bottomRow: intrf.bottomRow

    // A row is code: only the program's own rows are loaded, anything else gives the usual one.
    function rowSource(path, usual) {
        if (path === "?")
            return ""
        return [toolBar, minToolBar, statusBar].indexOf(path) >= 0 ? path : usual
    }

    function rowHeight(loader) {
        return loader.item && loader.item.ratio !== undefined ? canvas.height * loader.item.ratio : 0
    }

    function reloadRow(loader) {
        loader.active = false
        loader.active = true
    }

    function resetCanvas() {
        topRow = intrf.topRow
        bottomRow = intrf.bottomRow
    }

    function reloadCanvas() {
        reloadRow(topLoader)
        reloadRow(bottomLoader)
        // These layouts need the top row built once more, after the bottom row exists.
        if (topRow === minToolBar || bottomRow === "?")
            reloadRow(topLoader)
    }

    function reportRowError(loader) {
        if (loader.status !== Loader.Error)
            return
        const component = Qt.createComponent(loader.source)
        console.log("Error creating component at: " + loader.source + " " + component.errorString())
    }

    Component.onCompleted: intrf.setObject("QmlCanvas", canvas)
    onWidthChanged: if (width > 0 && height > 0) intrf.canvasResize()
    onHeightChanged: if (width > 0 && height > 0) intrf.canvasResize()

    Loader {
        id: topLoader
        objectName: "topRow"
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: canvas.rowHeight(topLoader)
        source: canvas.rowSource(canvas.topRow, canvas.toolBar)
        onStatusChanged: canvas.reportRowError(topLoader)
    }

    Loader {
        id: controlLoader
        objectName: "controlArea"
        anchors { left: parent.left; right: parent.right; top: topLoader.bottom; bottom: bottomLoader.top }
        source: "qrc:/qml/objects/QmlControlObject.qml"
    }

    Loader {
        id: bottomLoader
        objectName: "bottomRow"
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: canvas.rowHeight(bottomLoader)
        source: canvas.rowSource(canvas.bottomRow, canvas.statusBar)
        onStatusChanged: canvas.reportRowError(bottomLoader)
    }

    // The status bar's arrows from the keyboard, whichever control has focus.
    Shortcut {
        sequence: "Ctrl+PgDown"
        onActivated: intrf.postCommand("event", "rightarrow")
    }

    Shortcut {
        sequence: "Ctrl+PgUp"
        onActivated: intrf.postCommand("event", "leftarrow")
    }

    // Whoever opens the dialog activates the loader first; until then there is nothing to close.
    Loader {
        id: receiveLoader
        objectName: "receiveDialogLoader"
        active: false
        source: "qrc:/qml/objects/QmlReceiveDialog.qml"
    }
}
