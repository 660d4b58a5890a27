import QtQuick
import wimage

// A picture from the project's images.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property string path: "../images/default.png"
    property real imageSize: 1.0
    property int fillMode: Image.Stretch
    property real imageOpacity: 1.0
    property int maxCachedImageWidth: 2048

    Accessible.role: Accessible.Graphic
    Accessible.name: text || wwidget.caption || qsTr("Picture")

    Image {
        Accessible.ignored: true
        anchors.centerIn: parent
        width: root.width * (root.imageSize > 0 ? root.imageSize : 1.0)
        height: root.height * (root.imageSize > 0 ? root.imageSize : 1.0)
        source: root.path
        fillMode: root.fillMode
        opacity: root.imageOpacity
        smooth: true
    }

    WImage {
        id: wwidget
        objectName: "widget"
    }
}
