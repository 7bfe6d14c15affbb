<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh" sourcelanguage="zh_CN">
<context>
    <name>AboutMain</name>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有新版本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>进入官网</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>获取闪退日志</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吐个槽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反馈KX群</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright © Parlavine. 保留所有权利。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Calendar</name>
    <message>
        <source>年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>月</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChargeTypeText</name>
    <message>
        <source>预付费</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>后付费</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>包月</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CopyTransWindow</name>
    <message>
        <source>Parlavine翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回全屏窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置窗口长期存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原文:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译失败，点击重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出 %1 字的部分已删除</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DropSelect</name>
    <message>
        <source>请选择</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileQuickTransPop</name>
    <message>
        <source>自动检测</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>快速文件翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件名称：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件路径：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译方向：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileTransCtrl</name>
    <message>
        <source>当前语种对不支持文件翻译, 请重新选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件翻译不支持该类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重复提交翻译任务，是否继续？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件读取失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件翻译异常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件翻译失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络异常，请检查网络</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器异常，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除该文件吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件：%1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除后不可恢复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件下载失败，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存翻译文件失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存翻译文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已存在，是否替换？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译文件保存成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能翻译文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器未返回任务编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件上传失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件删除失败</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileTransHistory</name>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>机器翻译中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>机器翻译完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>人工翻译中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>人工翻译完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文档翻译记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上传失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重试</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileTransPage</name>
    <message>
        <source>自动检测</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>领域</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单击或拖放文件进行翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可同时选择多个文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>支持格式：docx pptx pdf png jpeg txt xlsx markdown html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件限制：单文件(docx/xlsx/html/markdown)800万字符、有页数的(docx/pdf/pptx)300页、文本文件(txt)10MB、二进制文件(pdf/docx/pptx/xlsx)40MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先选择翻译方向</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择翻译方向</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件下载中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件删除中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件读取中...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GlobalCtrl</name>
    <message>
        <source>文件翻译不支持该类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>为继续操作，请在浏览器中访问该地址：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>好的，复制地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开机自启动设置失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请求异常，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新异常，是否额外打开网页窗口下载？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法获取更新目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能翻译文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新地址不安全，未下载</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotkeyCtrl</name>
    <message>
        <source>快速复制翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>划词翻译开关</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>快速划词翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>快捷键冲突：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>会影响功能快捷键使用，请重新设置</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoginCodeForm</name>
    <message>
        <source>s后重新获取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录中...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>文本翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>交互翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译环境</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>我的账号</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainSidebar</name>
    <message>
        <source>开启后，划动鼠标选词时会自动提示翻译结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启快捷键:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>快速翻译快捷键:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户中心</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>划词</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启迷你翻译窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吐个槽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反馈KX群</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于Parlavine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NetworkFailure</name>
    <message>
        <source>代理服务器连接失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器拒绝了请求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通信协议错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器内部错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知网络错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接被拒绝</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器断开了连接</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到服务器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请求已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安全连接（TLS）失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络暂时不可用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器转向出错</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PTextArea</name>
    <message>
        <source>剪切</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重做</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全选</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PTextAreaNativeMenu</name>
    <message>
        <source>剪切</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重做</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全选</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PinyinDropSelect</name>
    <message>
        <source>请选择</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PopButtons</name>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>出错退出（文件超出限制）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在准备</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将开始解析文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解析文件格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转换文件格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽取待翻译内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>等待抽取待翻译内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽取待翻译内容完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>等待进入翻译队列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>等待合成目标格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合成目标格式完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>等待导出目标文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出目标文件完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>等待转换文件格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转换文件格式完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成翻译队列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生成译文内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合成目标格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出目标文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自动翻译成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在人工翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>人工翻译完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出错退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>好的</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuestionWindow</name>
    <message>
        <source>好的</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RectLoading</name>
    <message>
        <source>加载中...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RepoAddGroupPop</name>
    <message>
        <source>名称：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言方向：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可双向使用：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>否</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RepoEntryPop</name>
    <message>
        <source>原文：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器异常，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RepoPage</name>
    <message>
        <source>可反向使用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不可反向使用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>谁可以查看/编辑：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仅我自己</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示空格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>句段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原文：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RequestService</name>
    <message>
        <source>服务器异常，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络异常, 是否安装环境依赖?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络异常，请检查网络</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录态过期，请重新登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1。尝试安装依赖库来解决当前问题</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScreenshotDetailWindow</name>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原文:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译失败，点击重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载截图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看更多内容&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScreenshotTransCtrl</name>
    <message>
        <source>保存图片失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前桌面不支持截图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已存在，是否替换？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScreenshotTransWindow</name>
    <message>
        <source>截屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingCopyTransPanel</name>
    <message>
        <source>近</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>远</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超远</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前桌面不支持全局快捷键和划词取词，请在 X11 会话中使用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是否开启</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启后，划动鼠标选词时会自动提示翻译结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启关闭快捷键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>智能换行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启后会自动折叠多余换行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口距离光标位置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>左上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>左下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口远离光标距离</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingMain</name>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>划词翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingScreenshotTransPanel</name>
    <message>
        <source>使用快捷键</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettinngGeneralPanel</name>
    <message>
        <source>开机自启动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启后，软件将开机时自动运行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>外观</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浅色模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>深色模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OpenGL模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>字体大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缓存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清理全部缓存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>快速复制翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是否开启</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启后，能够通过快捷键进行快速翻译复制内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用快捷键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改语言需要重新启动Parlavine才能生效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>现在重启</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OpenGL修改后，会影响软件的渲染，确定修改吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>需要重新启动Parlavine才能生效</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SocialLoginProcess</name>
    <message>
        <source>无法打开社交登录窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>社交登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫码登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到或无法运行程序 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以 root 身份运行时，网页组件需要环境变量 QTWEBENGINE_DISABLE_SANDBOX=1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网页组件未能启动，社交登录窗口已关闭。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermAddGroupPop</name>
    <message>
        <source>创建术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库名称</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermAddPairPop</name>
    <message>
        <source>修改术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入术语原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入术语译文</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermCtrl</name>
    <message>
        <source>确认删除该术语库吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除后不可恢复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除当前术语吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语删除后不可恢复</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermPage</name>
    <message>
        <source>术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*创建的术语对将在后续译文中进行直接替换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库查询中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂未选择术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无匹配术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语对：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建术语库</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermSentAddGroupPop</name>
    <message>
        <source>创建例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库名称</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermSentAddSentPop</name>
    <message>
        <source>修改例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入例句原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入例句译文</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermSentCtrl</name>
    <message>
        <source>确认删除该例句库吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除后不可恢复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除当前例句吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句删除后不可恢复</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermSentPage</name>
    <message>
        <source>例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*创建的例句对将在后续译文中根据匹配相似度进行智能融合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库查询中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂未选择例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无匹配例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句对：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建例句库</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransCtrl</name>
    <message>
        <source>当前语种对不支持文本翻译, 请重新选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反馈成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记住译文成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公共句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译失败，请稍后重试</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransExampleArea</name>
    <message>
        <source>例句</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匹配度：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>→ 插入编辑框</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransFeedbackPop</name>
    <message>
        <source>翻译错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译遗漏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用词不当</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表达不顺畅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>过度翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该翻译结果有什么问题？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提交</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransHistory</name>
    <message>
        <source>历史记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>我是有底线的~</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除记录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransInputArea</name>
    <message>
        <source>超出 %1 字的部分已删除</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransPage</name>
    <message>
        <source>原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>智能合并粘贴行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仅在第一次粘贴或覆盖粘贴时生效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入要翻译的文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>领域</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭即时翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开启即时翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制全部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制选中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>赞</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>踩</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参考释义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改译文</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransSmartEditor</name>
    <message>
        <source>机翻译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*根据输入推荐新的机翻译文 | 记住译文触发自学习并作用于后续句子</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↓采用机翻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记住译文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认修改</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransSourceArea</name>
    <message>
        <source>句子原文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*选中任意词组，查看对应释义</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransTermList</name>
    <message>
        <source>术语</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公共术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>→ 插入编辑框</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransTipPanel</name>
    <message>
        <source>→ 插入编辑框</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTransTypeSelect</name>
    <message>
        <source>自动选择</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateWindow</name>
    <message>
        <source>更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载进度：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查更新中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>您使用的就是最新版本！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前版本：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请检查当前网络是否正常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>好的</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>发现新版本：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本更新内容：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稍后提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重新下载</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载更新</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>检查异常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本信息校验失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检测到已下载安装包，是否直接安装？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安装</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重新下载</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新下载完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>需重启应用, 重启时会自动安装更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新下载失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安装异常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序没有及时退出，更新未安装。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安装包不是 Debian 软件包。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统中没有 pkexec，无法取得安装所需的权限。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>授权已取消，更新未安装。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有获得安装权限（授权被拒绝，或没有认证代理）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取安装包。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>软件包管理器没有安装此安装包。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新未能安装。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>详情见日志：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserAddGroupActionPop</name>
    <message>
        <source>新建工作组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作组名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作组名称长度限制4-50个字符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>管理员：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserAddGroupMemActionPop</name>
    <message>
        <source>新增用户/IP成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>成员类型：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入合法的IPv4地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注意：将自动成为该IP列表的所有用户的默认账单主体，请谨慎操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入用户名</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserAutoLogin</name>
    <message>
        <source>账号自动登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络异常，请重试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重新登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserBill</name>
    <message>
        <source>账单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>账单主体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>我自己</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粒度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>费用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无记录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserBillTableModel</name>
    <message>
        <source>元</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserBindEmailActionPop</name>
    <message>
        <source>请输入正确的邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绑定用户邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证码：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>s后重新获取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserChangePsw</name>
    <message>
        <source>修改密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>旧密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认新密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码修改中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改密码成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>您已成功更改密码。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将返回用户界面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserDefaultGroupActionPop</name>
    <message>
        <source>更改默认账单主体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前默认主体：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改为：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserEmailLogin</name>
    <message>
        <source>账号密码登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推荐使用&lt;font color=&apos;#000000&apos;&gt;社交账号&lt;/font&gt;登录，防止盗号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>支持用户名/邮箱登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下次自动登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>忘记密码？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注册新账号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>意见反馈</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserForgetPanel</name>
    <message>
        <source>重置密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重置密码成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>您已成功重置密码。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>即将进入登录页面</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserInfo</name>
    <message>
        <source>账号信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户余额</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绑定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>付费类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>账单主体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改默认账单主体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开发者</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserInfoCtrl</name>
    <message>
        <source>请求异常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>我自己</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该用户不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定移除用户「%1」吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定移除IP「%1」吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定转移管理员权限给用户「%1」吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除工作组失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务未删除该工作组，它仍然保留</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserLoginCtrl</name>
    <message>
        <source>登录失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录链接无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入用户名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入用户名/邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两次密码不一致，请重新输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码修改失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出当前账号？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一个登录链接要登录另一个账号。确定后将退出当前账号「%1」，再用该链接登录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务的回复缺少账号或会话</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录态过期，请重新登录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserLoginPanel</name>
    <message>
        <source>社交账号登录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserPage</name>
    <message>
        <source>退出登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>基本信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>消费记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改密码</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserRegisterPanel</name>
    <message>
        <source>注册新账号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注册</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注册成功</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>欢迎使用Parlavine，您已注册成功！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>即将进入登录页面</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserWorkgroup</name>
    <message>
        <source>工作组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建工作组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无工作组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作组名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>账户余额</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>付费类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加用户/IP成员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (我)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (管理员)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移除用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转交管理员</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移除IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暂无数据</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowControl</name>
    <message>
        <source>最小化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最大化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowQuitPop</name>
    <message>
        <source>退出方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最小化到托盘，不退出程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记住当前选择，近期不提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最小化窗口，不退出程序</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowState</name>
    <message>
        <source>更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>术语库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例句库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截图翻译</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>社交登录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
