import QtQuick 2.14

// A Loader for a document that this build may not contain: it creates the component itself
// and loads only one that is ready, so a missing document raises no loader error. While
// `wanted` is false nothing is loaded; `fallback` (if set) stands in for a missing document.
Loader {
    id: loader
    property url document
    property url fallback
    property bool wanted: true
    property var _component: null
    // Property values arrive one by one while the loader is built; deciding before all of them
    // are in would compile a document that `wanted` is about to turn down.
    property bool _built: false

    function _load() {
        if (!_built)
            return
        if (!wanted || document == "") {
            sourceComponent = undefined
            return
        }
        if (_component === null || String(_component.url) !== String(document)) {
            _component = Qt.createComponent(document, Component.Asynchronous)
            _component.statusChanged.connect(_load)
        }
        if (_component.status === Component.Ready)
            sourceComponent = _component
        else if (_component.status === Component.Error && fallback != "" && document != fallback)
            sourceComponent = Qt.createComponent(fallback)
    }

    asynchronous: true
    onWantedChanged: _load()
    onDocumentChanged: _load()
    Component.onCompleted: {
        _built = true
        _load()
    }
}
