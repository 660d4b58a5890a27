import QtQuick

// The desktop canvas: a top row, the control area and a bottom row, stacked.
Item {
    id: canvas
    objectName: "QmlCanvas"
    width: 317
    height: 507

    property string topRow: intrf.topRow
    property string bottomRow: intrf.bottomRow

    function rowHeight(loader) {
        return loader.item && loader.item.ratio !== undefined ? canvas.height * loader.item.ratio : 0
    }

    function resetCanvas() {
        topRow = Qt.binding(function() { return intrf.topRow })
        bottomRow = Qt.binding(function() { return intrf.bottomRow })
    }

    function reloadCanvas() {
        topLoader.active = false
        bottomLoader.active = false
        bottomLoader.active = true
        topLoader.active = true
    }

    Component.onCompleted: intrf.setObject("QmlCanvas", canvas)
    onWidthChanged: if (width > 0 && height > 0) intrf.canvasResize()
    onHeightChanged: if (width > 0 && height > 0) intrf.canvasResize()

    Loader {
        id: topLoader
        objectName: "topRow"
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: canvas.rowHeight(topLoader)
        source: canvas.topRow !== "?" ? canvas.topRow : ""
        onStatusChanged: if (status === Loader.Error) console.log("Error creating component at: " + source)
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
        source: canvas.bottomRow !== "?" ? canvas.bottomRow : ""
        onStatusChanged: if (status === Loader.Error) console.log("Error creating component at: " + source)
    }
}
