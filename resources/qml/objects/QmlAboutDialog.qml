import QtQuick

// The about box: the two logos above the version text.
QmlMessageDialog {
    id: about

    Row {
        id: logos
        readonly property real logoHeight: about.height * intrf.logoHeightRatio * 0.5
        spacing: about.margin

        Image {
            objectName: "productLogo"
            height: logos.logoHeight
            width: implicitHeight > 0 ? height * implicitWidth / implicitHeight : 0
            fillMode: Image.PreserveAspectFit
            source: intrf.vxmLogo
        }

        Image {
            objectName: "makerLogo"
            height: logos.logoHeight
            width: implicitHeight > 0 ? height * implicitWidth / implicitHeight : 0
            fillMode: Image.PreserveAspectFit
            source: intrf.orvikLogo
        }
    }
}
