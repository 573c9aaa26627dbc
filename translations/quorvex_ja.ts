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
    <name>ChartEditor</name>
    <message>
        <source>The starting point and the ending point should be different</source>
        <translation>始点と終点は別のアイテムにしてください</translation>
    </message>
</context>
<context>
    <name>ChartLayout</name>
    <message>
        <source>Nothing to arrange: the chart has no items</source>
        <translation>整列できません: チャートにアイテムがありません</translation>
    </message>
    <message>
        <source>The chart could not be arranged: Graphviz&apos;s dot layout failed</source>
        <translation>チャートを整列できませんでした: Graphviz の dot レイアウトが失敗しました</translation>
    </message>
    <message>
        <source>Arranged 1 item</source>
        <translation>1 個のアイテムを整列しました</translation>
    </message>
    <message>
        <source>Arranged %1 items</source>
        <translation>%1 個のアイテムを整列しました</translation>
    </message>
    <message>
        <source>Reading succeeded. Its branch links run across the items: &quot;Arrange&quot; in the canvas menu lays the chart out</source>
        <translation>読み込みました。分岐の結線がアイテムの上を通っています: キャンバスメニューの「整列」でチャートを並べ直せます</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>the argument is no whole number and counts as 0</source>
        <translation>引数が整数ではないので 0 として扱います</translation>
    </message>
    <message>
        <source>Conversion pattern &quot;%1&quot;, %2</source>
        <translation>変換パターン「%1」、%2</translation>
    </message>
    <message>
        <source>no channel 1 to 24; ignored</source>
        <translation>チャンネル 1～24 がないので無視します</translation>
    </message>
    <message>
        <source>the argument is no number and counts as 0</source>
        <translation>引数が数値ではないので 0 として扱います</translation>
    </message>
    <message>
        <source>the argument is no number and counts as 1</source>
        <translation>引数が数値ではないので 1 として扱います</translation>
    </message>
    <message>
        <source>no +, -, * or / before the number; ignored</source>
        <translation>数値の前に +、-、*、/ がないので無視します</translation>
    </message>
    <message>
        <source>not a conversion; ignored</source>
        <translation>変換の指定ではないので無視します</translation>
    </message>
    <message>
        <source>Conversion changed no value</source>
        <translation>変換で変わった値はありません</translation>
    </message>
    <message>
        <source>Conversion changed 1 item</source>
        <translation>変換で 1 個のアイテムが変わりました</translation>
    </message>
    <message>
        <source>Conversion changed %1 items</source>
        <translation>変換で %1 個のアイテムが変わりました</translation>
    </message>
    <message>
        <source>: the speed cannot be divided by zero; nothing was converted</source>
        <translation>: スピードを 0 で割ることはできません。何も変換しませんでした</translation>
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
    <name>SetCodes</name>
    <message>
        <source>%1 Playing%2when an amount of %3change exceeds</source>
        <translation>%1 変化量が%2を超えたら%3を再生する</translation>
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
    <name>main</name>
    <message>
        <source>I am sorry</source>
        <translation>申し訳ありません</translation>
    </message>
    <message>
        <source>The double start is impossible</source>
        <translation>二重起動はできません</translation>
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
    <name>qvx::BoardFlows</name>
    <message>
        <source>Sending the playback command</source>
        <translation>再生コマンドを送信しました</translation>
    </message>
    <message>
        <source>Writing stopped: </source>
        <translation>書き込みを中止しました: </translation>
    </message>
    <message>
        <source>Reading the motion table</source>
        <translation>モーションテーブルを読み込んでいます</translation>
    </message>
    <message>
        <source>, but the robot could not be woken</source>
        <translation>、しかしロボットを起こせませんでした</translation>
    </message>
    <message>
        <source>Sleep off</source>
        <translation>スリープ解除</translation>
    </message>
    <message>
        <source>Writing cancelled: the checks found errors</source>
        <translation>書き込みを取り消しました: チェックでエラーが見つかりました</translation>
    </message>
    <message>
        <source>Writing the data</source>
        <translation>データの書き込み</translation>
    </message>
    <message>
        <source>Select the place where the data are written</source>
        <translation>データを書き込む場所を選んでください</translation>
    </message>
    <message>
        <source>Writing failed: </source>
        <translation>書き込みに失敗しました: </translation>
    </message>
    <message>
        <source>Scenario change succeeded</source>
        <translation>シナリオの変換に成功しました</translation>
    </message>
    <message>
        <source>Sleep on</source>
        <translation>スリープ</translation>
    </message>
    <message>
        <source>Assembling succeeded</source>
        <translation>アセンブルに成功しました</translation>
    </message>
    <message>
        <source>Writing succeeded</source>
        <translation>書き込みに成功しました</translation>
    </message>
    <message>
        <source>Reading the data</source>
        <translation>データの読み込み</translation>
    </message>
    <message>
        <source>Select the reading data</source>
        <translation>読み込むデータを選んでください</translation>
    </message>
    <message>
        <source>Reading failed: </source>
        <translation>読み込みに失敗しました: </translation>
    </message>
    <message>
        <source>No data</source>
        <translation>データがありません</translation>
    </message>
    <message>
        <source>There are no data.</source>
        <translation>データがありません。</translation>
    </message>
    <message>
        <source>Reading succeeded</source>
        <translation>読み込みに成功しました</translation>
    </message>
    <message>
        <source>Delete the data</source>
        <translation>データの削除</translation>
    </message>
    <message>
        <source>Select the data to be deleted</source>
        <translation>削除するデータを選んでください</translation>
    </message>
    <message>
        <source>Again, are you sure to delete this?</source>
        <translation>本当に削除してもよろしいですか？</translation>
    </message>
    <message>
        <source>Deleting %1 failed</source>
        <translation>%1 の削除に失敗しました</translation>
    </message>
    <message>
        <source>Data deletion is done</source>
        <translation>データを削除しました</translation>
    </message>
    <message>
        <source>Playing number</source>
        <translation>再生番号</translation>
    </message>
    <message>
        <source>Select the playing number</source>
        <translation>再生する番号を選んでください</translation>
    </message>
    <message>
        <source>Playing %1 failed</source>
        <translation>%1 の再生に失敗しました</translation>
    </message>
    <message>
        <source>Sending the stop command failed</source>
        <translation>停止コマンドの送信に失敗しました</translation>
    </message>
    <message>
        <source>Sending the stop command</source>
        <translation>停止コマンドを送信しました</translation>
    </message>
    <message>
        <source>Sending the pause command failed</source>
        <translation>一時停止コマンドの送信に失敗しました</translation>
    </message>
    <message>
        <source>Sending the pause command</source>
        <translation>一時停止コマンドを送信しました</translation>
    </message>
    <message>
        <source>Sending the expanded low speed serial</source>
        <translation>拡張低速シリアルを送信しました</translation>
    </message>
    <message>
        <source>Write anyway?</source>
        <translation>それでも書き込みますか？</translation>
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
    <name>qvx::ChartCanvas</name>
    <message>
        <source>Release the selection</source>
        <translation>選択解除</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Add the bending line</source>
        <translation>折れ目の追加</translation>
    </message>
    <message>
        <source>Deletion of bending line</source>
        <translation>折れ目の削除</translation>
    </message>
    <message>
        <source>Deletion</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>All selection</source>
        <translation>全選択</translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation>整列</translation>
    </message>
</context>
<context>
    <name>qvx::CompareItemDialog</name>
    <message>
        <source>Jump if the loop counter doesn’t show 0</source>
        <translation>ループカウンタが０でなければジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of AD1change &gt; the comparing resistor</source>
        <translation>AD1の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of AD2change &gt; the comparing resistor</source>
        <translation>AD2の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of AD3change &gt; the comparing resistor</source>
        <translation>AD3の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of PA1change &gt; the comparing resistor</source>
        <translation>PA1の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of PA2change &gt; the comparing resistor</source>
        <translation>PA2の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of PA3change &gt; the comparing resistor</source>
        <translation>PA3の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the amount of PA4change &gt; the comparing resistor</source>
        <translation>PA4の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Jump if the cotton input equals the comparing resistor</source>
        <translation>ボタン入力 = 比較レジスタならジャンプ</translation>
    </message>
    <message>
        <source>Jump if (the button input AND the comparing resistor) &lt;&gt; 0</source>
        <translation>(ボタン入力 AND 比較レジスタ) &lt;&gt; 0 ならジャンプする</translation>
    </message>
</context>
<context>
    <name>qvx::DocumentPropertiesDialog</name>
    <message>
        <source>Property</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Breadth</source>
        <translation>広さ</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Interval of grids</source>
        <translation>グリッドの間隔</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Display an icon of QMX file</source>
        <translation>QMXのファイルアイコンを表示する</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Menu of tools</source>
        <translation>ツールメニュー</translation>
    </message>
    <message>
        <source>Menu of parts</source>
        <translation>パーツメニュー</translation>
    </message>
    <message>
        <source>Setting of communication</source>
        <translation>通信設定</translation>
    </message>
    <message>
        <source>Menu of commands</source>
        <translation>コマンドメニュー</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>更新</translation>
    </message>
</context>
<context>
    <name>qvx::ItemPropertiesDialog</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Make Width over 20s</source>
        <translation>横幅は20以上にしてください</translation>
    </message>
    <message>
        <source>Make Height over 20s</source>
        <translation>高さは20以上にしてください</translation>
    </message>
</context>
<context>
    <name>qvx::MainWindow</name>
    <message>
        <source>Arrange</source>
        <translation>整列</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>New chart (Ctrl+N)</source>
        <translation>新しいチャート (Ctrl+N)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>Back up everything the board keeps into a file</source>
        <translation>ボードが持つすべてをファイルにバックアップする</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>Write a backup file back onto the board</source>
        <translation>バックアップファイルをボードに書き戻す</translation>
    </message>
    <message>
        <source>Prop</source>
        <translation>プロパ</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>PARTS</source>
        <translation>パーツ</translation>
    </message>
    <message>
        <source>Sel</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>選択ツール</translation>
    </message>
    <message>
        <source>GRID</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>スタート</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>開始点</translation>
    </message>
    <message>
        <source>POS</source>
        <translation>POS</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>ポジション</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>SET</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>セット</translation>
    </message>
    <message>
        <source>CMP</source>
        <translation>CMP</translation>
    </message>
    <message>
        <source>Compare tool</source>
        <translation>比較ツール</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>結線</translation>
    </message>
    <message>
        <source>Connection wiring</source>
        <translation>結線</translation>
    </message>
    <message>
        <source>Branch</source>
        <translation>分岐</translation>
    </message>
    <message>
        <source>Branching connection wiring</source>
        <translation>分岐の結線</translation>
    </message>
    <message>
        <source>Comp</source>
        <translation>コンパイル</translation>
    </message>
    <message>
        <source>Compilation tool</source>
        <translation>コンパイル</translation>
    </message>
    <message>
        <source>Commad</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>ホームポジション</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>書込</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>VERIFY</source>
        <translation>照合</translation>
    </message>
    <message>
        <source>Read every motion record back after writing it</source>
        <translation>書き込んだモーションのレコードをすべて読み戻して照合する</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ツール</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>トリム</translation>
    </message>
    <message>
        <source>Opt</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>AD</source>
        <translation>AD</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>アナログ</translation>
    </message>
    <message>
        <source>SVP</source>
        <translation>SVP</translation>
    </message>
    <message>
        <source>Rcv</source>
        <translation>受信機</translation>
    </message>
    <message>
        <source>Receiver</source>
        <translation>受信機</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>テーブル</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>ロボット</translation>
    </message>
    <message>
        <source>The robot in the pose it follows</source>
        <translation>追従しているポーズのロボット</translation>
    </message>
    <message>
        <source>COMM</source>
        <translation>通信</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>シリアルポート</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>X = %1  Y = %2</source>
        <translation>X = %1  Y = %2</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>タイムライン</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 の追加</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存しました</translation>
    </message>
    <message>
        <source>Compiled: %1 motion</source>
        <translation>コンパイルしました: モーション %1 個</translation>
    </message>
    <message>
        <source>Compiled: %1 motions</source>
        <translation>コンパイルしました: モーション %1 個</translation>
    </message>
    <message>
        <source>Compiled: %1 record</source>
        <translation>コンパイルしました: レコード %1 個</translation>
    </message>
    <message>
        <source>Compiled: %1 records</source>
        <translation>コンパイルしました: レコード %1 個</translation>
    </message>
    <message>
        <source>Serial port: %1</source>
        <translation>シリアルポート: %1</translation>
    </message>
    <message>
        <source>May I close it?</source>
        <translation>終了してもよろしいですか？</translation>
    </message>
    <message>
        <source>The item of that finding is no longer in the chart</source>
        <translation>その指摘のアイテムはもうチャートにありません</translation>
    </message>
    <message>
        <source>Read from the board</source>
        <translation>ボードからの読み込み</translation>
    </message>
    <message>
        <source>QMX file (*.QMX *.qmx)</source>
        <translation>QMXファイル (*.QMX *.qmx)</translation>
    </message>
    <message>
        <source>AllFiles (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The chart has changes that are not saved.</source>
        <translation>チャートに保存していない変更があります。</translation>
    </message>
    <message>
        <source>No subject</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>EDIT %1</source>
        <translation>編集 %1</translation>
    </message>
    <message>
        <source>Board backup (*.QBK *.qbk)</source>
        <translation>ボードのバックアップ (*.QBK *.qbk)</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Backed up %1</source>
        <translation>バックアップしました: %1</translation>
    </message>
    <message>
        <source>Restored %1</source>
        <translation>復元しました: %1</translation>
    </message>
    <message>
        <source>Conversion %1</source>
        <translation>変換 %1</translation>
    </message>
    <message>
        <source>The chart not saved when the editor was ended is kept in %1</source>
        <translation>エディタ終了時に保存されていなかったチャートを %1 に残しました</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>元に戻す操作はありません</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>やり直す操作はありません</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>元に戻す: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>やり直し: %1</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source> (the robot moves at the next send)</source>
        <translation> (ロボットは次の送信で動きます)</translation>
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
    <name>qvx::PickNumberDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
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
    <name>qvx::SetItemDialog</name>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Set the value measured by teaching in the parameter</source>
        <translation>教示で計測した値をパラメータにセットする</translation>
    </message>
    <message>
        <source>Set the number of loops in the loop counter</source>
        <translation>ループカウンタにループ回数をセットする</translation>
    </message>
    <message>
        <source>Set the number in the comparing resistor</source>
        <translation>比較レジスタに数値をセットする</translation>
    </message>
    <message>
        <source>Emend the reference value of analog input</source>
        <translation>アナログ入力の基準値を校正する</translation>
    </message>
    <message>
        <source>Turn the playing from receiver ON</source>
        <translation>受信機からの再生をONにする</translation>
    </message>
    <message>
        <source>Turn the playing from receiver OFF</source>
        <translation>受信機からの再生をOFFにする</translation>
    </message>
    <message>
        <source>Switching of the sensor control</source>
        <translation>センサーコントロールの切換</translation>
    </message>
    <message>
        <source>Mixing</source>
        <translation>ミキシング</translation>
    </message>
</context>
<context>
    <name>qvx::SingleInstance</name>
    <message>
        <source>A stale lock was taken over: %1</source>
        <translation>残っていたロックを引き継ぎました: %1</translation>
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
<context>
    <name>qvx::WidgetServices</name>
    <message>
        <source> [Communication now]</source>
        <translation> [通信中]</translation>
    </message>
</context>
</TS>
