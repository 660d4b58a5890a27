.pragma library

// Pop-ups and dialogs cover the whole window: they hang from the topmost item, so that
// a tool bar or status bar that is rebuilt underneath does not take them along.
function topItem(item) {
    var top = item
    while (top.parent)
        top = top.parent
    return top
}

function show(item) {
    var top = topItem(item)
    if (top !== item)
        item.parent = top
    item.visible = true
}

// Entries of a menu or list model: a string list, a ListModel or a plain count.
function countOf(model) {
    if (model === undefined || model === null)
        return 0
    if (typeof model === "number")
        return model
    if (model.length !== undefined)
        return model.length
    return model.count !== undefined ? model.count : 0
}

function indexOf(model, text) {
    for (var i = 0; i < countOf(model); ++i) {
        if (model[i] === text)
            return i
    }
    return -1
}
