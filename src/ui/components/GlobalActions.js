// The shell's actions (controller 0), called by name from any document:
// import "<path>/components/GlobalActions.js" as Global; Global.run("raiseWindow", ["main"]).
// Every call names its action as a literal, so the action-name test can check it.
function run(action, args) {
    $dispatch.run($dispatch.Ctrl_Global, action, args)
}
