import QtQuick 2.14

// Panel "forget": a new password for the account of an e-mail address, with a mailed code.
LoginCodeForm {
    objectName: "forgetPanel"
    title: qsTr("重置密码")
    submitTitle: qsTr("重置密码")
    fields: [{ "key": "email", "placeholder": qsTr("邮箱") },
             { "key": "code", "placeholder": qsTr("验证码"), "code": true },
             { "key": "password", "placeholder": qsTr("密码"), "secret": true }]
    sendingCode: 101
    sentCode: 110
    doneCode: 100
    doneTitle: qsTr("重置密码成功")
    doneLines: [qsTr("您已成功重置密码。"), qsTr("即将进入登录页面")]

    onSendCode: $dispatch.run($dispatch.Ctrl_UserLogin, "sendAddUserVerifyCode", [values.email])
    // the page asks for the new password once
    onSubmit: $dispatch.run($dispatch.Ctrl_UserLogin, "resetPasswdByCode",
                            [values.email, values.code, values.password, values.password])
}
