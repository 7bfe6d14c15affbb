import QtQuick 2.14
import QtWebEngine 1.10

// The social-login page. When it lands on the service's own "/client-login?" address with a
// one-time code, the code logs the user in, once; the login window stays until that login
// has finished, as closing it would release the login controller.
WebEngineView {
    id: view
    objectName: "loginWebView"
    property string loadUrl: ""
    property string webHost: ""
    property bool codeSent: false

    url: loadUrl
    settings.autoLoadIconsForPage: false

    // Read as the login-scheme hand-over reads its text: one "?", pairs split at "&" and "=",
    // a pair kept only when it has exactly one "=", nothing percent-decoded, the last one wins.
    function queryOf(text) {
        var query = Object.create(null)
        var parts = text.split("?")
        if (parts.length !== 2)
            return query
        var pairs = parts[1].split("&")
        for (var i = 0; i < pairs.length; ++i) {
            var pair = pairs[i].split("=")
            if (pair.length === 2)
                query[pair[0]] = pair[1]
        }
        return query
    }

    function takeCode(text) {
        if (codeSent || text.indexOf("/client-login?") < 0 || text.indexOf("&code=") < 0)
            return
        // a code counts only on the service's own pages
        if (webHost === "" || text.indexOf(webHost + "/") !== 0)
            return
        var query = queryOf(text)
        var code = query.code || ""
        if (code === "")
            return
        var type = query.type !== undefined ? query.type : (query.login_type || "")
        if (type === "zl")
            type = "zolomi"
        codeSent = true
        // the login window may have been closed meanwhile, taking the controller with it
        $dispatch.initController($dispatch.Ctrl_UserLogin)
        $dispatch.run($dispatch.Ctrl_UserLogin, "loginWithCode", [code, type, query.auto === "1" || query.auto === "true"])
        $state.showSocailLoginWindow = false
    }

    onUrlChanged: takeCode(String(url))
}
