// The slim tool bar: the same content at 0.625 of the normal height.
QmlToolBarObject {
    ratio: intrf.toolBarHeightRatio * 0.625
    imageRatio: 0.7
}
