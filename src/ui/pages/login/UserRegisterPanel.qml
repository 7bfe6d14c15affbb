import QtQuick 2.14

// Panel "register": a new account; the code goes to the e-mail address first.
LoginCodeForm {
    objectName: "registerPanel"
    title: qsTr("注册新账号")
    submitTitle: qsTr("注册")
    fields: [{ "key": "name", "placeholder": qsTr("用户名") },
             { "key": "email", "placeholder": qsTr("邮箱") },
             { "key": "code", "placeholder": qsTr("验证码"), "code": true },
             { "key": "password", "placeholder": qsTr("密码"), "secret": true }]
    sendingCode: 301
    sentCode: 310
    doneCode: 300
    doneTitle: qsTr("注册成功")
    doneLines: [qsTr("欢迎使用Parlavine，您已注册成功！"), qsTr("即将进入登录页面")]

    onSendCode: $dispatch.run($dispatch.Ctrl_UserLogin, "sendAddBindEmailCode", [values.email])
    onSubmit: $dispatch.run($dispatch.Ctrl_UserLogin, "addRegisterUser",
                            [values.name, values.email, values.code, values.password])
}
