<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AnalogFlows</name>
    <message>
        <source>The board still sends analog reports: open and close the analog window again to stop them</source>
        <translation>ボードがまだアナログ報告を送っています: 止めるにはアナログ画面をもう一度開いて閉じてください</translation>
    </message>
    <message>
        <source>The analog settings could not be read from the board</source>
        <translation>アナログ設定をボードから読み込めませんでした</translation>
    </message>
    <message>
        <source>The analog reports could not be switched on</source>
        <translation>アナログ報告をONにできませんでした</translation>
    </message>
    <message>
        <source>The analog reports could not be switched off</source>
        <translation>アナログ報告をOFFにできませんでした</translation>
    </message>
    <message>
        <source>The analog settings were not saved to the stored copies</source>
        <translation>アナログ設定を保存データに書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>BackgroundPicture</name>
    <message>
        <source>it is not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>空のファイルです</translation>
    </message>
    <message>
        <source>it is larger than %1 MB</source>
        <translation>%1 MB より大きいファイルです</translation>
    </message>
    <message>
        <source>it could not be read whole</source>
        <translation>全体を読み込めませんでした</translation>
    </message>
    <message>
        <source>The background picture %1 cannot be read: %2</source>
        <translation>背景画 %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>it is no Windows bitmap that can be shown, or its data is damaged or too large</source>
        <translation>表示できる Windows ビットマップではないか、データが壊れているか大きすぎます</translation>
    </message>
    <message>
        <source>it is no JPEG picture that can be shown, or its data is damaged or too large</source>
        <translation>表示できる JPEG 画像ではないか、データが壊れているか大きすぎます</translation>
    </message>
</context>
<context>
    <name>LinkPattern</name>
    <message>
        <source>Link pattern &quot;%1&quot;: the action &quot;%2&quot; of CH%3 cannot be used</source>
        <translation>リンクパターン「%1」: CH%3 の動作「%2」は使えません</translation>
    </message>
    <message>
        <source>There is no link pattern &quot;%1&quot;</source>
        <translation>リンクパターン「%1」はありません</translation>
    </message>
</context>
<context>
    <name>OptionFlows</name>
    <message>
        <source>The options could not be read from the board</source>
        <translation>オプションをボードから読み込めませんでした</translation>
    </message>
</context>
<context>
    <name>PatternFile</name>
    <message>
        <source>&quot;%1&quot; holds %2 of %3 channel entries</source>
        <translation>「%1」には %3 チャンネル中 %2 チャンネル分の設定しかありません</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot hold &quot;=&quot;</source>
        <translation>名前「%1」に「=」は使えません</translation>
    </message>
    <message>
        <source>The name cannot hold line breaks or other control characters</source>
        <translation>名前に改行などの制御文字は使えません</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot start with &quot;;&quot;</source>
        <translation>名前「%1」を「;」で始めることはできません</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds characters the pattern file cannot keep</source>
        <translation>名前「%1」にはパターンファイルに保存できない文字が含まれています</translation>
    </message>
    <message>
        <source>CH%1: the entry cannot hold a line break or a NUL character</source>
        <translation>CH%1: 設定に改行や NUL 文字は使えません</translation>
    </message>
    <message>
        <source>CH%1: the entry &quot;%2&quot; holds characters the pattern file cannot keep</source>
        <translation>CH%1: 設定「%2」にはパターンファイルに保存できない文字が含まれています</translation>
    </message>
    <message>
        <source>Input the name</source>
        <translation>名前を入力してください</translation>
    </message>
</context>
<context>
    <name>ReceiverFlows</name>
    <message>
        <source>Connection failed</source>
        <translation>接続に失敗しました</translation>
    </message>
    <message>
        <source>The board still sends receiver reports: open and close the receiver window again to stop them</source>
        <translation>ボードがまだ受信機の報告を送っています: 止めるには受信機画面をもう一度開いて閉じてください</translation>
    </message>
</context>
<context>
    <name>ServoFlows</name>
    <message>
        <source>Put power supply again and change to SVP mode</source>
        <translation>電源を入れ直して SVP モードに切り替えてください</translation>
    </message>
    <message>
        <source>The SVP channels could not be read from the board</source>
        <translation>SVP チャンネルをボードから読み込めませんでした</translation>
    </message>
    <message>
        <source>Option bit 14 could not be set</source>
        <translation>オプションのビット 14 をセットできませんでした</translation>
    </message>
    <message>
        <source>Option bit 14 could not be cleared</source>
        <translation>オプションのビット 14 をクリアできませんでした</translation>
    </message>
    <message>
        <source>The board starts in SVP mode at every power-up: open and close the servo setup window again to stop that</source>
        <translation>ボードは電源投入のたびに SVP モードで起動します: 止めるにはサーボ設定画面をもう一度開いて閉じてください</translation>
    </message>
</context>
<context>
    <name>TrimFlows</name>
    <message>
        <source>The trim could not be read from the board</source>
        <translation>トリムをボードから読み込めませんでした</translation>
    </message>
    <message>
        <source>The trim could not be written to the board&apos;s stored copy</source>
        <translation>トリムをボードの保存データに書き込めませんでした</translation>
    </message>
    <message>
        <source>The loaded trim could not be written to the board</source>
        <translation>読み込んだトリムをボードに書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>qvx</name>
    <message>
        <source>the file holds no &lt;robot&gt; element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is defined twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; is defined twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; names link &quot;%2&quot;, which the model does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is the child of both joint &quot;%2&quot; and joint &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the joints form a cycle through link &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; is not a file; only files are read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; lies outside the model&apos;s folder %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh %1 is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 is larger than %2 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 has %2 triangles, more than the %3 read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 holds a corner that is not a number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qvx::AnalogDialog</name>
    <message>
        <source>Analog</source>
        <translation>アナログ入力</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>入力１ [AD1]</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>入力２ [AD2]</translation>
    </message>
    <message>
        <source>Input 3</source>
        <translation>入力３ [AD3]</translation>
    </message>
    <message>
        <source>Setting of a basis</source>
        <translation>基準設定</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>基準値</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>測定値</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>変化量</translation>
    </message>
    <message>
        <source>Real time mixing</source>
        <translation>リアルタイムミキシング</translation>
    </message>
    <message>
        <source>Playing the motion with interrupt of a sensor</source>
        <translation>センサー割込でのモーション再生</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>変化量が</translation>
    </message>
    <message>
        <source>when an amount of </source>
        <translation>を超えたら</translation>
    </message>
    <message>
        <source>change exceeds</source>
        <translation>を再生する</translation>
    </message>
</context>
<context>
    <name>qvx::ChannelTableDialog</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Deletion</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Change of the name</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>Change if the frequency rate</source>
        <translation>表示レートの変更</translation>
    </message>
    <message>
        <source>Setting of the assigned motion</source>
        <translation>リンク動作の設定</translation>
    </message>
    <message>
        <source>Do you delete this?</source>
        <translation>を削除しますか？</translation>
    </message>
    <message>
        <source>CH%1: a display rate of 0 cannot show a position</source>
        <translation>CH%1: 表示レート 0 ではポジションを表示できません</translation>
    </message>
    <message>
        <source>CH%1There is an error in the input of</source>
        <translation>CH%1 の入力に誤りがあります</translation>
    </message>
    <message>
        <source>Setting of the combination</source>
        <translation>組み合わせの設定</translation>
    </message>
</context>
<context>
    <name>qvx::OptionsDialog</name>
    <message>
        <source>Option</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Get a replay in the end of playing the motions</source>
        <translation>モーション再生終了時に返事をもらう</translation>
    </message>
    <message>
        <source>Activate playing the motion scenario with the sender</source>
        <translation>送信機でのモーション・シナリオ再生を有効にする</translation>
    </message>
    <message>
        <source>Control through WRX-1</source>
        <translation>WRX1から制御する</translation>
    </message>
    <message>
        <source>Playing the motion scenario with a start switch</source>
        <translation>スタートスイッチでモーション・シナリオを再生する</translation>
    </message>
    <message>
        <source>Playing the motion scenario in the power source on</source>
        <translation>電源投入時にモーション・シナリオを再生する</translation>
    </message>
    <message>
        <source>Playing the motion scenario in the power voltage down</source>
        <translation>電源電圧低下時にモーション・シナリオを再生する</translation>
    </message>
</context>
<context>
    <name>qvx::PoseWindow</name>
    <message>
        <source>Parameter</source>
        <translation>パラメータ</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>Send the position data on the screen</source>
        <translation>画面上のポジションを送信します</translation>
    </message>
    <message>
        <source>Get</source>
        <translation>取得</translation>
    </message>
    <message>
        <source>Acquire the present position data</source>
        <translation>現在のポジションを取得します</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>ホームポジションに戻します</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>休止</translation>
    </message>
    <message>
        <source>Teach</source>
        <translation>教示</translation>
    </message>
    <message>
        <source>Take the angle from the output of FREE</source>
        <translation>FREEの出力から角度を取り込む</translation>
    </message>
    <message>
        <source>Link movement</source>
        <translation>リンク動作</translation>
    </message>
    <message>
        <source>No channel is in use: right-click a channel&apos;s name and choose SERVO, FREE, SET1..SET3, H or L, or press Get to take the robot&apos;s pose.</source>
        <translation>使用中のチャンネルがありません: チャンネル名を右クリックして SERVO、FREE、SET1..SET3、H、L のどれかを選ぶか、取得を押してロボットのポーズを取り込んでください。</translation>
    </message>
    <message>
        <source>The robot went to its home position</source>
        <translation>ロボットはホームポジションに戻りました</translation>
    </message>
    <message>
        <source>The robot did not go to its home position</source>
        <translation>ロボットはホームポジションに戻りませんでした</translation>
    </message>
    <message>
        <source>Teach failed</source>
        <translation>教示に失敗しました</translation>
    </message>
    <message>
        <source>The shown pose is the home position now</source>
        <translation>表示中のポーズをホームポジションにしました</translation>
    </message>
    <message>
        <source>The home position could not be written</source>
        <translation>ホームポジションを書き込めませんでした</translation>
    </message>
    <message>
        <source>Setting of the background picture</source>
        <translation>背景画の設定</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Setting of the display rate</source>
        <translation>表示レート設定</translation>
    </message>
    <message>
        <source>Turn it in the home position</source>
        <translation>ホームポジションにする</translation>
    </message>
    <message>
        <source>Display of the background</source>
        <translation>背景の表示</translation>
    </message>
    <message>
        <source>Fixation of the panel</source>
        <translation>パネルの固定</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Sleep</source>
        <comment>hint</comment>
        <translation>スリープモード</translation>
    </message>
</context>
<context>
    <name>qvx::ReceiverDialog</name>
    <message>
        <source>Receiver</source>
        <translation>受信機</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>基準値</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>測定値</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>変化量</translation>
    </message>
    <message>
        <source>Input with buttons</source>
        <translation>ボタン入力</translation>
    </message>
</context>
<context>
    <name>qvx::RobotModel</name>
    <message>
        <source>cannot read the robot model %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the robot model %1, line %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>urdfdom refused the model</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qvx::RobotModelReader</name>
    <message>
        <source>link &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shape&apos;s origin is not a position within %1 m and a rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh scale %1 %2 %3 is not above zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh %1 reaches farther than %2 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shape&apos;s size is not between 0 and %1 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot;: its inertial is not a mass of 0 to %2 kg at a position within %3 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it names no link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its origin is not a position within %1 m and a rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its axis has no direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its limits %1 to %2 are no range</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qvx::ServoParameterDialog</name>
    <message>
        <source>Stretch</source>
        <translation>ストレッチ</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>スピード</translation>
    </message>
    <message>
        <source>Dead band</source>
        <translation>デッドバンド</translation>
    </message>
    <message>
        <source>Dumping</source>
        <translation>ダンピング</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>パンチ</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>リバース</translation>
    </message>
    <message>
        <source>LimiterL</source>
        <translation>リミッタ(L)</translation>
    </message>
    <message>
        <source>LimiterR</source>
        <translation>リミッタ(R)</translation>
    </message>
</context>
<context>
    <name>qvx::ServoSetupDialog</name>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>電源</translation>
    </message>
    <message>
        <source>Switch the simulated board off and on</source>
        <translation>シミュレータのボードの電源を入れ直す</translation>
    </message>
</context>
<context>
    <name>qvx::TrimWindow</name>
    <message>
        <source>HomeDlg</source>
        <translation>トリム</translation>
    </message>
    <message>
        <source>QMX file (*.QMX *.qmx)</source>
        <translation>QMX ファイル (*.QMX *.qmx)</translation>
    </message>
    <message>
        <source>AllFiles (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>ロード</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>セーブ</translation>
    </message>
</context>
</TS>
