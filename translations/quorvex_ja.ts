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
    <name>BackupFlows</name>
    <message>
        <source>%1 step %2</source>
        <translation>%1 のステップ %2</translation>
    </message>
    <message>
        <source>%1 of CH%2</source>
        <translation>CH%2 の%1</translation>
    </message>
    <message>
        <source>%1 stopped: %2</source>
        <translation>%1を中止しました: %2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>everything was read, but the robot could not be woken</source>
        <translation>すべて読み出しましたが、ロボットを起こせませんでした</translation>
    </message>
    <message>
        <source>reading %1 failed</source>
        <translation>%1の読み出しに失敗しました</translation>
    </message>
    <message>
        <source>the option word</source>
        <translation>オプションワード</translation>
    </message>
    <message>
        <source>the board&apos;s identification</source>
        <translation>ボードの識別情報</translation>
    </message>
    <message>
        <source>table entry %1</source>
        <translation>テーブルエントリ %1</translation>
    </message>
    <message>
        <source>%1 counts more records than the board holds; the records up to the end of its memory were read</source>
        <translation>%1 のレコード数がボードに入る数より多いため、メモリの終わりまでのレコードを読み出しました</translation>
    </message>
    <message>
        <source>the start motions</source>
        <translation>スタートモーション</translation>
    </message>
    <message>
        <source>the alarm setting</source>
        <translation>アラーム設定</translation>
    </message>
    <message>
        <source>the SVP channels</source>
        <translation>SVP チャンネル</translation>
    </message>
    <message>
        <source>the analog references</source>
        <translation>アナログ基準値</translation>
    </message>
    <message>
        <source>the mixing of AD%1</source>
        <translation>AD%1 のミキシング</translation>
    </message>
    <message>
        <source>the sensor settings</source>
        <translation>センサー設定</translation>
    </message>
    <message>
        <source>the receiver references</source>
        <translation>受信機の基準値</translation>
    </message>
    <message>
        <source>the trim</source>
        <translation>トリム</translation>
    </message>
    <message>
        <source>the home position</source>
        <translation>ホームポジション</translation>
    </message>
    <message>
        <source>the name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Servo parameters were left out: the board is not in SVP mode</source>
        <translation>サーボパラメータは読み出していません: ボードが SVP モードではありません</translation>
    </message>
    <message>
        <source>The servo of CH%1 did not answer; its parameters were left out</source>
        <translation>CH%1 のサーボが応答しないため、そのパラメータは読み出していません</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>everything was written, but the robot could not be woken</source>
        <translation>すべて書き込みましたが、ロボットを起こせませんでした</translation>
    </message>
    <message>
        <source>writing %1 failed</source>
        <translation>%1の書き込みに失敗しました</translation>
    </message>
    <message>
        <source>reading back %1 failed</source>
        <translation>%1の読み返しに失敗しました</translation>
    </message>
    <message>
        <source>%1 reads back differently from what was written</source>
        <translation>%1 の読み返しが書き込んだ値と違います</translation>
    </message>
    <message>
        <source>written %1<byte value="xd"/>
read    %2</source>
        <translation>書込 %1<byte value="xd"/>
読出 %2</translation>
    </message>
    <message>
        <source>reading the option word failed</source>
        <translation>オプションワードの読み出しに失敗しました</translation>
    </message>
    <message>
        <source>Servo parameters were not written: the board is not in SVP mode</source>
        <translation>サーボパラメータは書き込んでいません: ボードが SVP モードではありません</translation>
    </message>
    <message>
        <source>the servo</source>
        <translation>サーボ</translation>
    </message>
    <message>
        <source>%1 (%2), %3 (%4)</source>
        <translation>%1 (%2)、%3 (%4)</translation>
    </message>
    <message>
        <source>%1 motion</source>
        <translation>モーション %1 個</translation>
    </message>
    <message>
        <source>%1 motions</source>
        <translation>モーション %1 個</translation>
    </message>
    <message>
        <source>%1 record</source>
        <translation>レコード %1 個</translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation>レコード %1 個</translation>
    </message>
    <message>
        <source>%1 scenario</source>
        <translation>シナリオ %1 個</translation>
    </message>
    <message>
        <source>%1 scenarios</source>
        <translation>シナリオ %1 個</translation>
    </message>
    <message>
        <source>%1 step</source>
        <translation>ステップ %1 個</translation>
    </message>
    <message>
        <source>%1 steps</source>
        <translation>ステップ %1 個</translation>
    </message>
    <message>
        <source>, %1</source>
        <translation>、%1</translation>
    </message>
    <message>
        <source>%1 servo parameter block</source>
        <translation>サーボパラメータ %1 組</translation>
    </message>
    <message>
        <source>%1 servo parameter blocks</source>
        <translation>サーボパラメータ %1 組</translation>
    </message>
    <message>
        <source>Warning: the backup holds values the program&apos;s own dialogs never set; they are restored as they are:<byte value="xd"/>
</source>
        <translation>警告: このバックアップには、本プログラムのダイアログでは設定しない値があります。そのまま復元します:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Restore %1 onto the board?<byte value="xd"/>
<byte value="xd"/>
It overwrites all 85 table entries with the backup&apos;s %2, and every stored setting: option word, start and alarm motions, SVP channels, analog and receiver settings, trim, home position and channel names.<byte value="xd"/>
<byte value="xd"/>
Motions now on the board that the backup does not hold are lost. The robot sleeps while the backup is written.</source>
        <translation>%1 をボードに復元しますか?<byte value="xd"/>
<byte value="xd"/>
テーブルの 85 エントリすべてをバックアップの %2 で上書きし、保存されている設定 (オプションワード、スタートモーションとアラームモーション、SVP チャンネル、アナログと受信機の設定、トリム、ホームポジション、チャンネル名) もすべて上書きします。<byte value="xd"/>
<byte value="xd"/>
いまボードにあってバックアップにないモーションは失われます。書き込みの間、ロボットはスリープします。</translation>
    </message>
    <message>
        <source>Restore %1 onto the board?<byte value="xd"/>
<byte value="xd"/>
It overwrites all 85 table entries with the backup&apos;s %2, and every stored setting: option word, start and alarm motions, SVP channels, analog and receiver settings, trim, home position and channel names, servo parameters.<byte value="xd"/>
<byte value="xd"/>
Motions now on the board that the backup does not hold are lost. The robot sleeps while the backup is written.</source>
        <translation>%1 をボードに復元しますか?<byte value="xd"/>
<byte value="xd"/>
テーブルの 85 エントリすべてをバックアップの %2 で上書きし、保存されている設定 (オプションワード、スタートモーションとアラームモーション、SVP チャンネル、アナログと受信機の設定、トリム、ホームポジション、チャンネル名、サーボパラメータ) もすべて上書きします。<byte value="xd"/>
<byte value="xd"/>
いまボードにあってバックアップにないモーションは失われます。書き込みの間、ロボットはスリープします。</translation>
    </message>
</context>
<context>
    <name>BoardBackup</name>
    <message>
        <source>The file has more sections than a backup of a whole board (%1): [%2] on line %3 is one too many</source>
        <translation>ボード全体のバックアップより多いセクションがあります (%1): %3 行目の [%2] が多すぎます</translation>
    </message>
    <message>
        <source>[%1] is given twice, on lines %2 and %3</source>
        <translation>[%1] が %2 行目と %3 行目の二か所にあります</translation>
    </message>
    <message>
        <source>Line %1 is no [section], KEY=VALUE or ;comment line</source>
        <translation>%1 行目は [セクション]、KEY=VALUE、;コメント のどの行でもありません</translation>
    </message>
    <message>
        <source>Line %1 gives %2 before the first section</source>
        <translation>%1 行目の %2 が最初のセクションより前にあります</translation>
    </message>
    <message>
        <source>The file has more keys than a backup of a whole board (%1): %2 on line %3 is one too many</source>
        <translation>ボード全体のバックアップより多いキーがあります (%1): %3 行目の %2 が多すぎます</translation>
    </message>
    <message>
        <source> is given twice, on lines %1 and %2</source>
        <translation> が %1 行目と %2 行目の二か所にあります</translation>
    </message>
    <message>
        <source> is missing</source>
        <translation> がありません</translation>
    </message>
    <message>
        <source> must be %1 in hex</source>
        <translation> は 16 進数で %1 でなければなりません</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 バイト</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 バイト</translation>
    </message>
    <message>
        <source>[%1] does not belong in a backup</source>
        <translation>[%1] はバックアップにはないはずのものです</translation>
    </message>
    <message>
        <source> does not belong in a backup</source>
        <translation> はバックアップにはないはずのものです</translation>
    </message>
    <message>
        <source> (line %1)</source>
        <translation> (%1 行目)</translation>
    </message>
    <message>
        <source> is empty: it must give the format number, %1</source>
        <translation> が空です: 形式番号 %1 を書いてください</translation>
    </message>
    <message>
        <source> must be a decimal format number such as %1, not %2</source>
        <translation> は %1 のような 10 進の形式番号でなければなりません (%2 ではなく)</translation>
    </message>
    <message>
        <source> is 0; formats count from 1</source>
        <translation> が 0 です: 形式番号は 1 から数えます</translation>
    </message>
    <message>
        <source>This backup is of format %1, written by a newer version; this version reads format %2</source>
        <translation>このバックアップは新しい版が書いた形式 %1 です。この版が読めるのは形式 %2 です</translation>
    </message>
    <message>
        <source>The file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>The file has %1 lines; a backup of a whole board has at most %2</source>
        <translation>ファイルが %1 行あります。ボード全体のバックアップは多くても %2 行です</translation>
    </message>
    <message>
        <source>This is no board backup: </source>
        <translation>ボードのバックアップではありません: </translation>
    </message>
    <message>
        <source>This is no board backup: [Backup] Format is missing</source>
        <translation>ボードのバックアップではありません: [Backup] Format がありません</translation>
    </message>
    <message>
        <source> holds FF for PA%1, which a board takes as the order to calibrate PA%1 from what it measures: it cannot be restored</source>
        <translation> の PA%1 が FF です。ボードはこれを測った値で PA%1 を較正する指示と受け取るため、復元できません</translation>
    </message>
    <message>
        <source> must be yes or no</source>
        <translation> は yes か no でなければなりません</translation>
    </message>
    <message>
        <source> is given, but no SVP servo was read on that channel</source>
        <translation> がありますが、そのチャンネルでは SVP サーボを読み出していません</translation>
    </message>
    <message>
        <source> is the same record of the board as </source>
        <translation> はボード上で </translation>
    </message>
    <message>
        <source>, but differs from it</source>
        <translation> と同じレコードですが、内容が違います</translation>
    </message>
    <message>
        <source>bits %1 are set, which no dialog sets</source>
        <translation>どのダイアログも設定しないビット %1 が立っています</translation>
    </message>
    <message>
        <source>a start motion that is no table entry</source>
        <translation>テーブルエントリではないスタートモーション</translation>
    </message>
    <message>
        <source>an alarm motion that is no table entry</source>
        <translation>テーブルエントリではないアラームモーション</translation>
    </message>
    <message>
        <source>the alarm voltage %1 is outside the option dialog&apos;s %2 to %3</source>
        <translation>アラーム電圧 %1 がオプションダイアログの範囲 (%2 から %3) の外です</translation>
    </message>
    <message>
        <source>AD%1 is %2, beyond the analog dialog&apos;s 0 to %3</source>
        <translation>AD%1 が %2 で、アナログダイアログの範囲 (0 から %3) を超えています</translation>
    </message>
    <message>
        <source>PA%1 is %2, beyond the receiver window&apos;s 0 to %3</source>
        <translation>PA%1 が %2 で、受信機ウィンドウの範囲 (0 から %3) を超えています</translation>
    </message>
    <message>
        <source>%1 is beyond the trim window&apos;s %2 to %3 (a trim file holding it is refused)</source>
        <translation>%1 はトリムウィンドウの範囲 (%2 から %3) を超えています (この値を持つトリムファイルは読み込めません)</translation>
    </message>
    <message>
        <source> is larger than %1 MB; a backup of a whole board is smaller</source>
        <translation> が %1 MB を超えています。ボード全体のバックアップはそれより小さいはずです</translation>
    </message>
    <message>
        <source> does not exist</source>
        <translation> がありません</translation>
    </message>
    <message>
        <source> is no file</source>
        <translation> はファイルではありません</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
</context>
<context>
    <name>ChannelMapping</name>
    <message>
        <source>settings file %1, section [%2], key %3: %4</source>
        <translation>設定ファイル %1、セクション [%2]、キー %3: %4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not SIGN,DEGREES PER UNIT,OFFSET,JOINT</source>
        <translation>&quot;%1&quot; が SIGN,DEGREES PER UNIT,OFFSET,JOINT の形ではありません</translation>
    </message>
    <message>
        <source>the sign &quot;%1&quot; is not 1 or -1</source>
        <translation>符号 &quot;%1&quot; が 1 でも -1 でもありません</translation>
    </message>
    <message>
        <source>the degrees per unit &quot;%1&quot; is not a number above 0</source>
        <translation>単位あたりの角度 &quot;%1&quot; が 0 より大きい数ではありません</translation>
    </message>
    <message>
        <source>the offset &quot;%1&quot; is not a number</source>
        <translation>オフセット &quot;%1&quot; が数ではありません</translation>
    </message>
    <message>
        <source>it names no joint</source>
        <translation>関節の名前がありません</translation>
    </message>
    <message>
        <source>CH%1 drives joint &quot;%2&quot;, which the robot model %3 does not have; the channel moves nothing</source>
        <translation>CH%1 の関節 &quot;%2&quot; はロボットモデル %3 にないため、このチャンネルは何も動かしません</translation>
    </message>
    <message>
        <source>CH%1 drives joint &quot;%2&quot; of the robot model %3, which does not move; the channel moves nothing</source>
        <translation>CH%1 の関節 &quot;%2&quot; はロボットモデル %3 で動かない関節のため、このチャンネルは何も動かしません</translation>
    </message>
</context>
<context>
    <name>ChartChange</name>
    <message>
        <source>%1 items</source>
        <translation>アイテム %1 個</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 の追加</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 の削除</translation>
    </message>
    <message>
        <source>%1 item</source>
        <translation>アイテム %1 個</translation>
    </message>
    <message>
        <source>Edit items</source>
        <translation>アイテムの編集</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>%1 の移動</translation>
    </message>
    <message>
        <source>Colour of %1</source>
        <translation>%1 の色</translation>
    </message>
    <message>
        <source>Values of %1</source>
        <translation>%1 の値</translation>
    </message>
    <message>
        <source>Properties of %1</source>
        <translation>%1 のプロパティ</translation>
    </message>
    <message>
        <source>Resize %1</source>
        <translation>%1 のサイズ変更</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 の編集</translation>
    </message>
    <message>
        <source>Draw link</source>
        <translation>リンクの描画</translation>
    </message>
    <message>
        <source>Add links</source>
        <translation>リンクの追加</translation>
    </message>
    <message>
        <source>Delete link</source>
        <translation>リンクの削除</translation>
    </message>
    <message>
        <source>Delete links</source>
        <translation>リンクの削除</translation>
    </message>
    <message>
        <source>Edit links</source>
        <translation>リンクの編集</translation>
    </message>
    <message>
        <source>Reverse link</source>
        <translation>リンクの反転</translation>
    </message>
    <message>
        <source>Bend link</source>
        <translation>リンクの折り曲げ</translation>
    </message>
    <message>
        <source>Replace the chart</source>
        <translation>チャートの置き換え</translation>
    </message>
    <message>
        <source>Edit the chart</source>
        <translation>チャートの編集</translation>
    </message>
    <message>
        <source>Start item</source>
        <translation>スタートアイテム</translation>
    </message>
    <message>
        <source>Data of the document</source>
        <translation>ドキュメントのデータ</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
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
    <message>
        <source>The chart could not be arranged: Graphviz&apos;s dot layout plugin could not be loaded (%1)</source>
        <translation>チャートを整列できませんでした: Graphviz の dot レイアウトプラグインを読み込めません (%1)</translation>
    </message>
</context>
<context>
    <name>Checks</name>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1と%2</translation>
    </message>
    <message>
        <source>the loop through %1</source>
        <translation>%1 を通るループ</translation>
    </message>
    <message>
        <source>the loop through %1 and %2</source>
        <translation>%1 と %2 を通るループ</translation>
    </message>
    <message>
        <source>the loop through %1 and %2 other items</source>
        <translation>%1 とほか %2 個のアイテムを通るループ</translation>
    </message>
    <message>
        <source>%1 has no way out: no CMP branch leaves it and nothing in it ends the motion, so the motion runs until Stop is pressed</source>
        <translation>%1 には出口がありません: 抜ける CMP 分岐がなく、中にモーションを終えるものもないため、停止を押すまでモーションが続きます</translation>
    </message>
    <message>
        <source>%1 is left only when this CMP&apos;s loop counter test says so, but no SET item loads the loop counter before or in the loop: how often it runs depends on what an earlier motion left in the counter</source>
        <translation>%1 はこの CMP のループカウンタの判定でしか抜けませんが、ループの前にも中にもループカウンタを設定する SET アイテムがありません: 何回回るかは前のモーションがカウンタに残した値しだいです</translation>
    </message>
    <message>
        <source>the button input</source>
        <translation>ボタン入力</translation>
    </message>
    <message>
        <source>tests %1 of the receiver, but the board&apos;s options leave control through the WRX-1 receiver unit off (option bit 3)</source>
        <translation>受信機の %1 を調べていますが、ボードのオプションで WRX-1 受信ユニットからの制御がオフです (オプションビット 3)</translation>
    </message>
    <message>
        <source>tests the change of %1, but the board holds no reference value for %1 (0) and no SET item calibrates it</source>
        <translation>%1 の変化量を調べていますが、ボードに %1 の基準値がなく (0)、較正する SET アイテムもありません</translation>
    </message>
    <message>
        <source>%1 is at %2, outside the editor&apos;s position range %3 to %4</source>
        <translation>%1 が %2 で、エディタの位置の範囲 %3 から %4 の外です</translation>
    </message>
    <message>
        <source>sets %1, which the data dialog marks unused</source>
        <translation>%1 を設定していますが、データダイアログでは未使用です</translation>
    </message>
    <message>
        <source>the motion has %1 records and, written to %2, runs on into %3, which holds a motion (%4%5 records)</source>
        <translation>モーションは %1 レコードあり、%2 に書き込むとモーションの入った %3 (%4%5 レコード) にはみ出します</translation>
    </message>
    <message>
        <source>the chart has %1 items but no start item, so it cannot be compiled</source>
        <translation>チャートにはアイテムが %1 個ありますが、スタートアイテムがないためコンパイルできません</translation>
    </message>
    <message>
        <source>no path from the start item reaches this item, so it is never played</source>
        <translation>スタートアイテムからこのアイテムに届く道がないため、再生されることはありません</translation>
    </message>
    <message>
        <source> at %1 s</source>
        <translation> (%1 秒の時点)</translation>
    </message>
    <message>
        <source>The robot model has no collision geometry: the collision and stability checks are skipped.</source>
        <translation>ロボットモデルに衝突形状がありません: 干渉と安定の検査は行いません。</translation>
    </message>
    <message>
        <source>The robot model has no inertials: the stability check is skipped.</source>
        <translation>ロボットモデルに慣性の情報がありません: 安定の検査は行いません。</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>degrees</source>
        <translation>度</translation>
    </message>
    <message>
        <source>CH%1 asks for %2 %3 of joint &quot;%4&quot;, beyond its limits %5 to %6 %3</source>
        <translation>CH%1 が関節「%4」に %2 %3 を求めていますが、限界 %5 から %6 %3 を超えています</translation>
    </message>
    <message>
        <source>links &quot;%1&quot; and &quot;%2&quot; run into each other</source>
        <translation>リンク「%1」と「%2」がぶつかります</translation>
    </message>
    <message>
        <source>the centre of mass is %1 mm outside the support of %2</source>
        <translation>重心が %2 の支持範囲から %1 mm 外れています</translation>
    </message>
    <message>
        <source>the motion still played after %1 s of board time with each of the %2 input combinations tried (as a fresh board starts, every input at its highest, every input at its lowest), so it may run until Stop is pressed; this item was executing at the limit</source>
        <translation>試した %2 通りの入力 (新品のボードの初期値、すべての入力が最大、すべての入力が最小) のどれでも、ボード時間 %1 秒の後もモーションが再生中だったため、停止を押すまで続くかもしれません。上限の時点で実行していたのはこのアイテムです</translation>
    </message>
</context>
<context>
    <name>Compiler</name>
    <message>
        <source>Set up the start item</source>
        <translation>スタートアイテムを設定してください</translation>
    </message>
    <message>
        <source>There is no branch destination of</source>
        <translation>分岐先がありません: </translation>
    </message>
    <message>
        <source>There is an errow in branch line of </source>
        <translation>分岐線に誤りがあります: </translation>
    </message>
    <message>
        <source>The jump to %1 cannot be written: it goes to step %2, and a jump reaches steps 0 to %3 only</source>
        <translation>%1 へのジャンプは書き込めません: 行き先はステップ %2 ですが、ジャンプが届くのはステップ 0 から %3 までです</translation>
    </message>
    <message>
        <source>The branch of %1 to %2 cannot be written: step %3 added to the code of CH%4 leaves its range</source>
        <translation>%1 から %2 への分岐は書き込めません: CH%4 のコードにステップ %3 を足すと範囲を外れます</translation>
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
    <name>DocumentFile</name>
    <message>
        <source>Do you prepared for the disappearance of all the present data?</source>
        <translation>現在のデータはすべて消えます。よろしいですか?</translation>
    </message>
    <message>
        <source>%1=%2 lies outside the range a chart can hold (%3 to %4)</source>
        <translation>%1=%2 がチャートで扱える範囲 (%3 から %4) の外です</translation>
    </message>
    <message>
        <source>the Prm value has %1 of %2 numbers</source>
        <translation>Prm の値の数が %2 個ではなく %1 個です</translation>
    </message>
    <message>
        <source>the Point value holds &quot;%1&quot;, which is not a number</source>
        <translation>Point の値 &quot;%1&quot; が数ではありません</translation>
    </message>
    <message>
        <source>the Point value holds %1, outside the range a chart can hold (%2 to %3)</source>
        <translation>Point の値 %1 がチャートで扱える範囲 (%2 から %3) の外です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read.</source>
        <translation>&quot;%1&quot; を読み込めませんでした。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; claims %2 items and %3 links, more than the %4 allowed; nothing was read from it.</source>
        <translation>&quot;%1&quot; にはアイテム %2 個とリンク %3 個があるとされ、上限の %4 を超えています。何も読み込んでいません。</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot; stopped at section [%2]: %3. %4 item(s) before it were kept.</source>
        <translation>&quot;%1&quot; の読み込みはセクション [%2] で止まりました: %3。それより前のアイテム %4 個は残しました。</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot; stopped at section [%2]: %3. The links before it were kept.</source>
        <translation>&quot;%1&quot; の読み込みはセクション [%2] で止まりました: %3。それより前のリンクは残しました。</translation>
    </message>
    <message>
        <source>%1 link(s) of &quot;%2&quot; did not join two items of the chart and were left out.</source>
        <translation>&quot;%2&quot; のリンク %1 本はチャートの二つのアイテムを結んでいないため、除きました。</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot; stopped at line %2: it has %3 of 27 fields. %4 pose(s) before it were kept.</source>
        <translation>&quot;%1&quot; の読み込みは %2 行目で止まりました: 項目が 27 個ではなく %3 個です。それより前のポーズ %4 個は残しました。</translation>
    </message>
    <message>
        <source>The designated file can&apos;t be used</source>
        <translation>指定されたファイルは使えません</translation>
    </message>
    <message>
        <source>It can&apos;t be kept in the designated place</source>
        <translation>指定された場所には保存できません</translation>
    </message>
</context>
<context>
    <name>ItemColours</name>
    <message>
        <source>Standard</source>
        <translation>標準色</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>Dark gray</source>
        <translation>濃い灰色</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黒</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>茶色</translation>
    </message>
    <message>
        <source>Peach</source>
        <translation>桃色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>紫</translation>
    </message>
    <message>
        <source>Persian blue</source>
        <translation>藍色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Turquoise green</source>
        <translation>青緑</translation>
    </message>
    <message>
        <source>Yellow green</source>
        <translation>黄緑</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>水色</translation>
    </message>
    <message>
        <source>Ochre</source>
        <translation>黄土</translation>
    </message>
    <message>
        <source>etc.</source>
        <translation>そのほかの色</translation>
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
    <name>MotionTimeline</name>
    <message>
        <source>&quot;%1&quot; is not KEY=VALUE</source>
        <translation>&quot;%1&quot; が KEY=VALUE の形ではありません</translation>
    </message>
    <message>
        <source>unknown input &quot;%1&quot; (known: button, pa1..pa4, ad1..ad3, cmp)</source>
        <translation>入力 &quot;%1&quot; はありません (使えるのは button, pa1..pa4, ad1..ad3, cmp)</translation>
    </message>
    <message>
        <source>%1 must be a number from %2 to %3, not &quot;%4&quot;</source>
        <translation>%1 は %2 から %3 の数でなければなりません (&quot;%4&quot; ではなく)</translation>
    </message>
    <message>
        <source>The motion did not end within %1 s of board time; shown up to the limit.</source>
        <translation>モーションはボード時間 %1 秒以内に終わりませんでした。上限まで表示しています。</translation>
    </message>
</context>
<context>
    <name>MotionTransfer</name>
    <message>
        <source>The motion has %1 records; a motion can hold at most %2.</source>
        <translation>モーションのレコードが %1 個あります。一つのモーションに入るのは %2 個までです。</translation>
    </message>
    <message>
        <source>The motion has %1 records and would need M%2 to M%3; the board ends at M%4.</source>
        <translation>モーションのレコードが %1 個あり、M%2 から M%3 までが要りますが、ボードは M%4 までです。</translation>
    </message>
    <message>
        <source>%1 record %2</source>
        <translation>%1 のレコード %2</translation>
    </message>
    <message>
        <source>As the data to input are more than thirty<byte value="xd"/>
The data of %1 would be deleted. Do you agree with this</source>
        <translation>入力するデータが 30 を超えるため<byte value="xd"/>
%1 のデータが消えます。よろしいですか?</translation>
    </message>
    <message>
        <source>We can&apos;t write the motion data<byte value="xd"/>
more than 200. Please understand us.</source>
        <translation>モーションデータは 200 を超えて<byte value="xd"/>
書き込めません。ご了承ください。</translation>
    </message>
    <message>
        <source>Writing of %1 is done</source>
        <translation>%1 の書き込み完了</translation>
    </message>
    <message>
        <source>the table entry of %1</source>
        <translation>%1 のテーブルエントリ</translation>
    </message>
    <message>
        <source>PCT is written</source>
        <translation>ＰＣＴを書き込みました</translation>
    </message>
    <message>
        <source>reading back %1</source>
        <translation>%1 の読み返し</translation>
    </message>
    <message>
        <source>%1 reads back differently from what was written</source>
        <translation>%1 の読み返しが書き込んだ値と違います</translation>
    </message>
    <message>
        <source>Record %1 of M%2 reads back differently from what was written:<byte value="xd"/>
written %3<byte value="xd"/>
read    %4</source>
        <translation>M%2 のレコード %1 の読み返しが書き込んだ値と違います:<byte value="xd"/>
書込 %3<byte value="xd"/>
読出 %4</translation>
    </message>
    <message>
        <source>Reading of %1 is done</source>
        <translation>%1 の読み込み完了</translation>
    </message>
    <message>
        <source>%1 step %2</source>
        <translation>%1 のステップ %2</translation>
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
    <name>PortSession</name>
    <message>
        <source>SIM does not exist: %1</source>
        <translation>SIM がありません: %1</translation>
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
    <name>RobotModel</name>
    <message>
        <source>the file holds no &lt;robot&gt; element</source>
        <translation>ファイルに &lt;robot&gt; 要素がありません</translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is defined twice</source>
        <translation>リンク &quot;%1&quot; が二度定義されています</translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; is defined twice</source>
        <translation>関節 &quot;%1&quot; が二度定義されています</translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; names link &quot;%2&quot;, which the model does not have</source>
        <translation>関節 &quot;%1&quot; が、モデルにないリンク &quot;%2&quot; を指しています</translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is the child of both joint &quot;%2&quot; and joint &quot;%3&quot;</source>
        <translation>リンク &quot;%1&quot; が関節 &quot;%2&quot; と関節 &quot;%3&quot; の両方の子になっています</translation>
    </message>
    <message>
        <source>the joints form a cycle through link &quot;%1&quot;</source>
        <translation>関節がリンク &quot;%1&quot; を通って輪になっています</translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; is not a file; only files are read</source>
        <translation>メッシュ &quot;%1&quot; はファイルではありません。読めるのはファイルだけです</translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; lies outside the model&apos;s folder %2</source>
        <translation>メッシュ &quot;%1&quot; がモデルのフォルダ %2 の外にあります</translation>
    </message>
    <message>
        <source>mesh file %1 is missing</source>
        <translation>メッシュファイル %1 がありません</translation>
    </message>
    <message>
        <source>mesh %1 is not a regular file</source>
        <translation>メッシュ %1 は通常のファイルではありません</translation>
    </message>
    <message>
        <source>mesh file %1 is larger than %2 MB</source>
        <translation>メッシュファイル %1 が %2 MB を超えています</translation>
    </message>
    <message>
        <source>mesh file %1 cannot be read: %2</source>
        <translation>メッシュファイル %1 を読めません: %2</translation>
    </message>
    <message>
        <source>mesh file %1 has %2 triangles, more than the %3 read</source>
        <translation>メッシュファイル %1 の三角形は %2 個で、読める %3 個を超えています</translation>
    </message>
    <message>
        <source>mesh file %1 holds a corner that is not a number</source>
        <translation>メッシュファイル %1 に数でない頂点があります</translation>
    </message>
    <message>
        <source>link &quot;%1&quot;: %2</source>
        <translation>リンク &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>a shape&apos;s origin is not a position within %1 m and a rotation</source>
        <translation>形状の原点が %1 m 以内の位置と回転になっていません</translation>
    </message>
    <message>
        <source>mesh scale %1 %2 %3 is not above zero</source>
        <translation>メッシュの倍率 %1 %2 %3 が 0 より大きくありません</translation>
    </message>
    <message>
        <source>mesh %1 reaches farther than %2 m</source>
        <translation>メッシュ %1 が %2 m より遠くまで届いています</translation>
    </message>
    <message>
        <source>a shape&apos;s size is not between 0 and %1 m</source>
        <translation>形状の大きさが 0 から %1 m の間にありません</translation>
    </message>
    <message>
        <source>link &quot;%1&quot;: its inertial is not a mass of 0 to %2 kg at a position within %3 m</source>
        <translation>リンク &quot;%1&quot;: 慣性が %3 m 以内の位置にある 0 から %2 kg の質量になっていません</translation>
    </message>
    <message>
        <source>joint &quot;%1&quot;: %2</source>
        <translation>関節 &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>it names no link</source>
        <translation>リンクの名前がありません</translation>
    </message>
    <message>
        <source>its origin is not a position within %1 m and a rotation</source>
        <translation>原点が %1 m 以内の位置と回転になっていません</translation>
    </message>
    <message>
        <source>its axis has no direction</source>
        <translation>軸に向きがありません</translation>
    </message>
    <message>
        <source>its limits %1 to %2 are no range</source>
        <translation>可動範囲 %1 から %2 が範囲になっていません</translation>
    </message>
    <message>
        <source>cannot read the robot model %1: %2</source>
        <translation>ロボットモデル %1 を読めません: %2</translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>ファイルが %1 MB を超えています</translation>
    </message>
    <message>
        <source>cannot read the robot model %1, line %2: %3</source>
        <translation>ロボットモデル %1 の %2 行目を読めません: %3</translation>
    </message>
    <message>
        <source>urdfdom refused the model</source>
        <translation>urdfdom がモデルを受け付けませんでした</translation>
    </message>
</context>
<context>
    <name>Services</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
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
    <name>SlotRecord</name>
    <message>
        <source>reading the table entry of %1</source>
        <translation>%1 のテーブルエントリの読み出し</translation>
    </message>
    <message>
        <source>%1 holds no motion</source>
        <translation>%1 にモーションがありません</translation>
    </message>
    <message>
        <source>%1 holds %2 record; there is no record %3</source>
        <translation>%1 のレコードは %2 個で、レコード %3 はありません</translation>
    </message>
    <message>
        <source>%1 holds %2 records; there is no record %3</source>
        <translation>%1 のレコードは %2 個で、レコード %3 はありません</translation>
    </message>
    <message>
        <source>reading %1</source>
        <translation>%1 の読み出し</translation>
    </message>
    <message>
        <source>%1 is no pose (a setting, branch, jump or end)</source>
        <translation>%1 はポーズではありません (設定、分岐、ジャンプ、終了のどれかです)</translation>
    </message>
</context>
<context>
    <name>TimelineChart</name>
    <message>
        <source>Board time (ms)</source>
        <translation>ボード時間 (ms)</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
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
    <name>qvx::AboutDialog</name>
    <message>
        <source>Language:</source>
        <translation>言語:</translation>
    </message>
    <message>
        <source>As the system</source>
        <translation>システムに合わせる</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>言語は次回の起動から変わります。</translation>
    </message>
    <message>
        <source>The language could not be saved in %1.</source>
        <translation>言語を %1 に保存できませんでした。</translation>
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
    <name>qvx::BoardCommands</name>
    <message>
        <source>the board answered %1 instead of the acknowledge byte</source>
        <translation>ボードが確認応答バイトではなく %1 を返しました</translation>
    </message>
    <message>
        <source>the board&apos;s answer had a wrong checksum</source>
        <translation>ボードの応答のチェックサムが違います</translation>
    </message>
    <message>
        <source>The robot is left asleep: press Sleep to wake it</source>
        <translation>ロボットはスリープのままです: スリープボタンを押すと起きます</translation>
    </message>
    <message>
        <source>[%1]Playback is done</source>
        <translation>[%1]再生が終わりました</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>the robot could not be put to sleep</source>
        <translation>ロボットをスリープにできませんでした</translation>
    </message>
    <message>
        <source>The robot could not be woken</source>
        <translation>ロボットを起こせませんでした</translation>
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
    <name>qvx::BoardLink</name>
    <message>
        <source>Close</source>
        <translation>ポートを閉じました</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 completion</source>
        <translation>%1 接続完了</translation>
    </message>
    <message>
        <source>%1: permission denied. Add your user to the dialout group (sudo adduser $USER dialout) and log in again.</source>
        <translation>%1: アクセスが拒否されました。ユーザーを dialout グループに加え (sudo adduser $USER dialout)、ログインし直してください。</translation>
    </message>
    <message>
        <source>another command was still waiting for the board</source>
        <translation>別のコマンドがまだボードの応答を待っていました</translation>
    </message>
    <message>
        <source>no port is open</source>
        <translation>ポートが開いていません</translation>
    </message>
    <message>
        <source>the board did not answer (no reply to the attention byte within %1 ms on %2)</source>
        <translation>ボードが応答しませんでした (%2 でアテンションバイトへの返事が %1 ms 以内にありません)</translation>
    </message>
    <message>
        <source>the board&apos;s answer was incomplete (%1 of %2 bytes within %3 ms)</source>
        <translation>ボードの応答が途中で切れました (%3 ms 以内に %2 バイト中 %1 バイト)</translation>
    </message>
    <message>
        <source>Wait: the board is still busy</source>
        <translation>お待ちください: ボードはまだ処理中です</translation>
    </message>
    <message>
        <source>%1 was disconnected</source>
        <translation>%1 が切断されました</translation>
    </message>
</context>
<context>
    <name>qvx::ChannelMappingDialog</name>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>Channel mapping</source>
        <translation>チャンネルの割り当て</translation>
    </message>
    <message>
        <source>Joint</source>
        <translation>関節</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>符号</translation>
    </message>
    <message>
        <source>Degrees per unit</source>
        <translation>単位あたりの角度</translation>
    </message>
    <message>
        <source>Offset (degrees)</source>
        <translation>オフセット (度)</translation>
    </message>
    <message>
        <source>move this channel</source>
        <translation>このチャンネルを動かす</translation>
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
    <name>qvx::ChecksList</name>
    <message>
        <source>Checks before writing</source>
        <translation>書き込み前のチェック</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>重要度</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>コード</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>アイテム</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>qvx::Cli</name>
    <message>
        <source>cannot use --%1 %2</source>
        <translation>--%1 %2 は使えません</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 に失敗しました</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>backed up %1 to %2</source>
        <translation>%1 を %2 にバックアップしました</translation>
    </message>
    <message>
        <source>restored %1 from %2</source>
        <translation>%2 から %1 を復元しました</translation>
    </message>
    <message>
        <source>N must be a table row 0..%1, not %2</source>
        <translation>N はテーブルの行 0..%1 で指定してください (%2 ではなく)</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 を開けません</translation>
    </message>
    <message>
        <source>qvx %1 failed</source>
        <translation>qvx %1 に失敗しました</translation>
    </message>
    <message>
        <source>play or message is required</source>
        <translation>play か message が必要です</translation>
    </message>
    <message>
        <source>no form %1</source>
        <translation>%1 という形式はありません</translation>
    </message>
    <message>
        <source>%1 is not a 32-bit number</source>
        <translation>%1 は 32 ビットの数ではありません</translation>
    </message>
    <message>
        <source>the editor did not send the command</source>
        <translation>エディタはコマンドを送りませんでした</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>送信しました</translation>
    </message>
    <message>
        <source>cannot compile %1</source>
        <translation>%1 をコンパイルできません</translation>
    </message>
    <message>
        <source>reading %1 failed</source>
        <translation>%1 の読み込みに失敗しました</translation>
    </message>
    <message>
        <source>%1 holds %2</source>
        <translation>%1 の内容は %2 と同じです</translation>
    </message>
    <message>
        <source>%1 differs from %2:</source>
        <translation>%1 は %2 と異なります:</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a list of 24 names</source>
        <translation>%1 は 24 個の名前のリストとしては大きすぎます</translation>
    </message>
    <message>
        <source>%1 lists %2 lines; there are %3 channels</source>
        <translation>%1 には %2 行ありますが、チャンネルは %3 個です</translation>
    </message>
    <message>
        <source>reading the name of %1 failed</source>
        <translation>%1 の名前の読み込みに失敗しました</translation>
    </message>
    <message>
        <source>%1; nothing was written</source>
        <translation>%1。何も書き込んでいません</translation>
    </message>
    <message>
        <source>writing the name of %1 failed</source>
        <translation>%1 の名前の書き込みに失敗しました</translation>
    </message>
    <message>
        <source>the names could not be kept in %1</source>
        <translation>名前を %1 に保存できませんでした</translation>
    </message>
    <message>
        <source>%1; the later channels were not written</source>
        <translation>%1。以降のチャンネルは書き込んでいません</translation>
    </message>
    <message>
        <source>%1 %2: a value its control cannot take</source>
        <translation>%1 %2: そのコントロールが取れない値です</translation>
    </message>
    <message>
        <source>the options could not be read from the board</source>
        <translation>ボードからオプションを読み込めませんでした</translation>
    </message>
    <message>
        <source>%1; the later options were not sent</source>
        <translation>%1。以降のオプションは送っていません</translation>
    </message>
    <message>
        <source>the board did not take %1</source>
        <translation>ボードは %1 を受け付けませんでした</translation>
    </message>
    <message>
        <source>no receiver report arrived; the measured values are not known</source>
        <translation>受信機の報告が届かなかったため、計測値は分かりません</translation>
    </message>
    <message>
        <source>--copy %1: give FROM=TO, servo IDs 0..%2</source>
        <translation>--copy %1: FROM=TO の形でサーボ ID 0..%2 を指定してください</translation>
    </message>
    <message>
        <source>--%1 %2: a servo ID is 0..%3</source>
        <translation>--%1 %2: サーボ ID は 0..%3 です</translation>
    </message>
    <message>
        <source>give one of --read, --show, --copy and --set</source>
        <translation>--read、--show、--copy、--set のどれか一つを指定してください</translation>
    </message>
    <message>
        <source>--set needs PARAM=VALUE arguments</source>
        <translation>--set には PARAM=VALUE の引数が必要です</translation>
    </message>
    <message>
        <source>%1: no such column, or a value its control cannot take</source>
        <translation>%1: その列はないか、そのコントロールが取れない値です</translation>
    </message>
    <message>
        <source>not every SVP servo could be read</source>
        <translation>読み込めなかった SVP サーボがあります</translation>
    </message>
    <message>
        <source>servo %1 could not be read and written back</source>
        <translation>サーボ %1 を読み込んで書き戻せませんでした</translation>
    </message>
    <message>
        <source>rows %1 and %2 must both be SVP channels</source>
        <translation>行 %1 と %2 はどちらも SVP チャンネルでなければなりません</translation>
    </message>
    <message>
        <source>servo %1 could not be copied to servo %2</source>
        <translation>サーボ %1 をサーボ %2 にコピーできませんでした</translation>
    </message>
    <message>
        <source>--set %1: give CH=OFFSET with CH 1..24 and OFFSET an integer</source>
        <translation>--set %1: CH=OFFSET の形で、CH は 1..24、OFFSET は整数で指定してください</translation>
    </message>
    <message>
        <source>give one of --save, --load and --set</source>
        <translation>--save、--load、--set のどれか一つを指定してください</translation>
    </message>
    <message>
        <source>the trim file was not saved</source>
        <translation>トリムファイルを保存できませんでした</translation>
    </message>
    <message>
        <source>reading the option word failed</source>
        <translation>オプションワードの読み込みに失敗しました</translation>
    </message>
    <message>
        <source>reading the analog references failed</source>
        <translation>アナログ基準値の読み込みに失敗しました</translation>
    </message>
    <message>
        <source>reading the table entry of %1 failed</source>
        <translation>%1 のテーブルエントリの読み込みに失敗しました</translation>
    </message>
    <message>
        <source>give --port or --backup, not both</source>
        <translation>--port か --backup のどちらか一方を指定してください</translation>
    </message>
    <message>
        <source>--slot needs the board given with --port</source>
        <translation>--slot には --port で指定したボードが必要です</translation>
    </message>
    <message>
        <source>%1 is no backup: %2</source>
        <translation>%1 はバックアップではありません: %2</translation>
    </message>
    <message>
        <source>%1 does not compile</source>
        <translation>%1 はコンパイルできません</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不明なオプション %1</translation>
    </message>
    <message>
        <source>%1: %2 (see %1 --help)</source>
        <translation>%1: %2 (%1 --help を参照)</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 が二回以上指定されています</translation>
    </message>
    <message>
        <source>--%1 is required</source>
        <translation>--%1 が必要です</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>余分な引数 %1</translation>
    </message>
    <message>
        <source>The serial device of the board (a real one, or the link of `qvx sim`).</source>
        <translation>ボードのシリアルデバイス (実機のもの、または `qvx sim` のリンク)。</translation>
    </message>
    <message>
        <source>Answer Yes to any question the action asks.</source>
        <translation>操作の質問にはすべて「はい」と答えます。</translation>
    </message>
    <message>
        <source>The item of the document (N as in its section ItemN).</source>
        <translation>ドキュメントのアイテム (N はセクション ItemN の N)。</translation>
    </message>
    <message>
        <source>A link pattern of PATTERN.ini in the settings folder.</source>
        <translation>設定フォルダの PATTERN.ini にあるリンクパターン。</translation>
    </message>
    <message>
        <source>%1: OFF, motion Mn (1..80) or scenario Sn (1..5).</source>
        <translation>%1: OFF、モーション Mn (1..80) またはシナリオ Sn (1..5)。</translation>
    </message>
    <message>
        <source>Reads the board&apos;s 85-entry motion table (the robot asleep while it reads) and prints one row per entry.</source>
        <translation>ボードの 85 エントリのモーションテーブルを読み込み (読み込み中ロボットはスリープします)、エントリごとに一行を表示します。</translation>
    </message>
    <message>
        <source>Compiles the document FILE and writes it to a slot, as the main window&apos;s write button does.</source>
        <translation>ドキュメント FILE をコンパイルし、メインウィンドウの書き込みボタンと同じようにスロットに書き込みます。</translation>
    </message>
    <message>
        <source>The motion slot to write (0 = M1), or the scenario slot (0 = S1) for a scenario document.</source>
        <translation>書き込むモーションスロット (0 = M1)。シナリオのドキュメントではシナリオスロット (0 = S1)。</translation>
    </message>
    <message>
        <source>Read every motion record back after writing it.</source>
        <translation>書き込んだモーションレコードをすべて読み返します。</translation>
    </message>
    <message>
        <source>Answer Yes when a motion longer than a slot asks first.</source>
        <translation>スロットより長いモーションについての確認に「はい」と答えます。</translation>
    </message>
    <message>
        <source>Reads row N of the table (0..79 motions, 80..84 scenarios) and saves the rebuilt chart as a document.</source>
        <translation>テーブルの行 N (0..79 はモーション、80..84 はシナリオ) を読み込み、組み立て直したチャートをドキュメントとして保存します。</translation>
    </message>
    <message>
        <source>The document to save the chart read in.</source>
        <translation>読み込んだチャートを保存するドキュメント。</translation>
    </message>
    <message>
        <source>Compiles the document FILE and compares it with what a slot holds; exit 0 when they are the same, 1 when they differ.</source>
        <translation>ドキュメント FILE をコンパイルしてスロットの内容と比較します。同じなら終了コード 0、異なれば 1 です。</translation>
    </message>
    <message>
        <source>The motion slot to compare with (0 = M1), or the scenario slot (0 = S1) for a scenario document.</source>
        <translation>比較するモーションスロット (0 = M1)。シナリオのドキュメントではシナリオスロット (0 = S1)。</translation>
    </message>
    <message>
        <source>Reads everything the board keeps into the text file FILE.</source>
        <translation>ボードが保持しているものをすべてテキストファイル FILE に読み込みます。</translation>
    </message>
    <message>
        <source>Writes a backup file back onto the board, overwriting all it holds.</source>
        <translation>バックアップファイルをボードに書き戻し、ボードの内容をすべて上書きします。</translation>
    </message>
    <message>
        <source>Confirm that the whole board is overwritten (required).</source>
        <translation>ボード全体を上書きすることを確認します (必須)。</translation>
    </message>
    <message>
        <source>Clears row N of the motion table (0..79 motions, 80..84 scenarios).</source>
        <translation>モーションテーブルの行 N (0..79 はモーション、80..84 はシナリオ) を消去します。</translation>
    </message>
    <message>
        <source>Confirm the deletion (required).</source>
        <translation>削除を確認します (必須)。</translation>
    </message>
    <message>
        <source>Plays row N of the motion table (0..79 motions, 80..84 scenarios).</source>
        <translation>モーションテーブルの行 N (0..79 はモーション、80..84 はシナリオ) を再生します。</translation>
    </message>
    <message>
        <source>Stops the motion playing.</source>
        <translation>再生中のモーションを止めます。</translation>
    </message>
    <message>
        <source>Pauses the motion playing, or lets it go on.</source>
        <translation>再生中のモーションを一時停止、または再開します。</translation>
    </message>
    <message>
        <source>Prints the 24 channel names stored on the board, or writes new ones as the pose window&apos;s names dialog does.</source>
        <translation>ボードに保存された 24 個のチャンネル名を表示するか、ポーズウィンドウの名前ダイアログと同じように新しい名前を書き込みます。</translation>
    </message>
    <message>
        <source>A file of channel names, one line each, CH1 first; an empty line keeps the pose window&apos;s name.</source>
        <translation>チャンネル名のファイル。一行に一つ、CH1 から。空行ならポーズウィンドウの名前のままです。</translation>
    </message>
    <message>
        <source>The board options dialog: each option changes what its control changes, in the order given; prints what the dialog then shows.</source>
        <translation>ボードオプションのダイアログ: 各オプションはそのコントロールが変えるものを指定の順に変えます。その後ダイアログが示す内容を表示します。</translation>
    </message>
    <message>
        <source>A report when a motion has played.</source>
        <translation>モーションの再生が終わったときの報告。</translation>
    </message>
    <message>
        <source>Playing from the transmitter.</source>
        <translation>送信機からの再生。</translation>
    </message>
    <message>
        <source>Control through WRX-1.</source>
        <translation>WRX-1 による操作。</translation>
    </message>
    <message>
        <source>The motion of the start switch</source>
        <translation>スタートスイッチのモーション</translation>
    </message>
    <message>
        <source>The motion played at power-on</source>
        <translation>電源投入時に再生するモーション</translation>
    </message>
    <message>
        <source>The motion played at low voltage</source>
        <translation>低電圧時に再生するモーション</translation>
    </message>
    <message>
        <source>The alarm voltage, 5.5 to 15.0 in steps of 0.1.</source>
        <translation>アラーム電圧。5.5 から 15.0 まで 0.1 刻み。</translation>
    </message>
    <message>
        <source>The channels (1..24, separated by commas) driving SVP servos.</source>
        <translation>SVP サーボを駆動するチャンネル (1..24、カンマ区切り)。</translation>
    </message>
    <message>
        <source>The servo setup dialog: prints its list, after the one change asked for.</source>
        <translation>サーボ設定のダイアログ: 指定された一つの変更の後、その一覧を表示します。</translation>
    </message>
    <message>
        <source>Press the read button: read every SVP servo.</source>
        <translation>読み込みボタンを押します: すべての SVP サーボを読み込みます。</translation>
    </message>
    <message>
        <source>Print one servo&apos;s parameters (ID 0..23, channel ID + 1).</source>
        <translation>一つのサーボのパラメータを表示します (ID 0..23、チャンネルは ID + 1)。</translation>
    </message>
    <message>
        <source>Copy one servo&apos;s parameters to another, as a drag does.</source>
        <translation>ドラッグと同じように、サーボのパラメータを別のサーボにコピーします。</translation>
    </message>
    <message>
        <source>Change the parameters of servo ID; each PARAM=VALUE after it names a list column (Stretch1, Punch, Reverse, Limit(L), ...) and its value as the list shows it.</source>
        <translation>サーボ ID のパラメータを変更します。後に続く各 PARAM=VALUE は一覧の列 (Stretch1、Punch、Reverse、Limit(L) など) と、一覧に表示される形の値です。</translation>
    </message>
    <message>
        <source>The trim window: opens it, makes the one change asked for, closes it (which writes the trim to the board&apos;s stored copy) and prints the offsets.</source>
        <translation>トリムウィンドウ: 開いて指定の変更を一つ行い、閉じて (トリムをボードの保存領域に書き込みます) オフセットを表示します。</translation>
    </message>
    <message>
        <source>Save the trim to a trim file.</source>
        <translation>トリムをトリムファイルに保存します。</translation>
    </message>
    <message>
        <source>Load a trim file.</source>
        <translation>トリムファイルを読み込みます。</translation>
    </message>
    <message>
        <source>Enter OFFSET (from the neutral 16384) in the edit box of channel CH (1..24); may be given for several channels.</source>
        <translation>チャンネル CH (1..24) の入力欄に OFFSET (中立 16384 からの差) を入力します。複数のチャンネルに指定できます。</translation>
    </message>
    <message>
        <source>The analog input dialog: without changes prints the references, mixing gains and sensor interrupts the board stores; with changes opens the dialog, makes them in the order given and closes it, which saves everything to the stored copies.</source>
        <translation>アナログ入力のダイアログ: 変更がなければボードが保存している基準値、ミキシングゲイン、センサー割り込みを表示します。変更があればダイアログを開いて指定の順に変更し、閉じてすべてを保存領域に保存します。</translation>
    </message>
    <message>
        <source>Drag the reference bar of input K (1..3) to V (0..1023).</source>
        <translation>入力 K (1..3) の基準値バーを V (0..1023) までドラッグします。</translation>
    </message>
    <message>
        <source>The gain of channel CH (1..24) on input K: &quot;x -63&quot;..&quot;x -1&quot;, &quot;OFF&quot;, &quot;x 1&quot;..&quot;x 63&quot;.</source>
        <translation>入力 K でのチャンネル CH (1..24) のゲイン: &quot;x -63&quot;..&quot;x -1&quot;、&quot;OFF&quot;、&quot;x 1&quot;..&quot;x 63&quot;。</translation>
    </message>
    <message>
        <source>Sensor interrupt S (1..6: AD1 first, AD1 second, AD2 first, ...): its threshold bar dragged to THRESHOLD (-1023..1023), then MOTION (OFF, M1..M80, S1..S5) chosen.</source>
        <translation>センサー割り込み S (1..6: AD1 の一つ目、AD1 の二つ目、AD2 の一つ目、...): しきい値バーを THRESHOLD (-1023..1023) までドラッグし、MOTION (OFF、M1..M80、S1..S5) を選びます。</translation>
    </message>
    <message>
        <source>Press AUTO on input K (1..3).</source>
        <translation>入力 K (1..3) の AUTO を押します。</translation>
    </message>
    <message>
        <source>The receiver input dialog: opens it, makes the changes in the order given, closes it (which saves the references to the stored copy) and prints the references, the last measured values and the button input.</source>
        <translation>受信機入力のダイアログ: 開いて指定の順に変更し、閉じて (基準値を保存領域に保存します) 基準値、最後の計測値、ボタン入力を表示します。</translation>
    </message>
    <message>
        <source>Drag the reference bar of PA N (1..4) to V (0..127).</source>
        <translation>PA N (1..4) の基準値バーを V (0..127) までドラッグします。</translation>
    </message>
    <message>
        <source>Press AUTO on PA N (1..4).</source>
        <translation>PA N (1..4) の AUTO を押します。</translation>
    </message>
    <message>
        <source>Sends the pose of item N to the robot.</source>
        <translation>アイテム N のポーズをロボットに送ります。</translation>
    </message>
    <message>
        <source>Item N takes the robot&apos;s live pose (its speed stays); the document is saved.</source>
        <translation>アイテム N にロボットの現在のポーズを取り込みます (速度はそのまま)。ドキュメントは保存されます。</translation>
    </message>
    <message>
        <source>The robot goes to its home position; with a document, item N takes the home pose at speed 100 and the document is saved.</source>
        <translation>ロボットがホームポジションに移ります。ドキュメントを指定すると、アイテム N が速度 100 でホームポーズを取り込み、ドキュメントは保存されます。</translation>
    </message>
    <message>
        <source>Toggles sleep and run.</source>
        <translation>スリープと動作を切り替えます。</translation>
    </message>
    <message>
        <source>The pose of item N becomes the board&apos;s home position.</source>
        <translation>アイテム N のポーズをボードのホームポジションにします。</translation>
    </message>
    <message>
        <source>One press of the teach button with a link pattern: releases the pattern&apos;s TCH channels, or item N takes the angles of its FREE channels; the document is saved.</source>
        <translation>リンクパターンを使って教示ボタンを一回押します: パターンの TCH チャンネルを脱力させるか、アイテム N が FREE チャンネルの角度を取り込みます。ドキュメントは保存されます。</translation>
    </message>
    <message>
        <source>One press of a link movement button with a link pattern on item N; the document is saved.</source>
        <translation>アイテム N でリンクパターンを使ってリンク移動ボタンを一回押します。ドキュメントは保存されます。</translation>
    </message>
    <message>
        <source>The + button.</source>
        <translation>+ ボタン。</translation>
    </message>
    <message>
        <source>The - button.</source>
        <translation>- ボタン。</translation>
    </message>
    <message>
        <source>The stepped pose goes to the robot first, as with SYNC on; the item changes only when it arrived.</source>
        <translation>SYNC がオンのときと同じく、一歩進めたポーズをまずロボットに送ります。届いたときだけアイテムが変わります。</translation>
    </message>
    <message>
        <source>What FILE is (document kind, pose table or unusable), with its data name, port mask, control input and item and link counts.</source>
        <translation>FILE が何か (ドキュメントの種類、ポーズテーブル、使えないもの) を、データ名、ポートマスク、制御入力、アイテム数、リンク数とともに表示します。</translation>
    </message>
    <message>
        <source>Opens IN into an empty chart as the editor does and saves it to OUT.</source>
        <translation>エディタと同じように IN を空のチャートに開き、OUT に保存します。</translation>
    </message>
    <message>
        <source>Lays the chart of IN out in rows as the canvas menu&apos;s &quot;Arrange&quot; does, with bent links that never run along each other, and saves it to OUT.</source>
        <translation>キャンバスメニューの「整列」と同じように IN のチャートを行に並べ、リンクが重ならないように折り曲げて、OUT に保存します。</translation>
    </message>
    <message>
        <source>The grid the items&apos; corners go on (default 10,10).</source>
        <translation>アイテムの角を合わせるグリッド (既定は 10,10)。</translation>
    </message>
    <message>
        <source>Compiles the chart of FILE and prints its listing, or the motion list of a scenario; a compile error goes to standard error, exit 1.</source>
        <translation>FILE のチャートをコンパイルしてリスト (シナリオならモーションの一覧) を表示します。コンパイルエラーは標準エラーに出し、終了コードは 1 です。</translation>
    </message>
    <message>
        <source>Compiles FILE and prints the rows of its hex view, one per motion record.</source>
        <translation>FILE をコンパイルし、16 進表示の行をモーションレコードごとに一行ずつ表示します。</translation>
    </message>
    <message>
        <source>Applies a conversion pattern to the items of IN, as the canvas menu&apos;s &quot;Conversion&quot; does, and saves the chart to OUT.</source>
        <translation>キャンバスメニューの「変換」と同じように IN のアイテムに変換パターンを適用し、チャートを OUT に保存します。</translation>
    </message>
    <message>
        <source>A conversion pattern of PATTERN.ini in the settings folder.</source>
        <translation>設定フォルダの PATTERN.ini にある変換パターン。</translation>
    </message>
    <message>
        <source>The 24 conversion entries of CH1..CH24 as one comma list, empty for no entry; quote an entry that holds blanks or commas.</source>
        <translation>CH1..CH24 の 24 個の変換エントリをカンマ区切りの一つのリストで。エントリなしは空。空白やカンマを含むエントリは引用符で囲みます。</translation>
    </message>
    <message>
        <source>The items to convert, numbered as the document&apos;s sections ItemN (from 0), separated by commas; every item by default. CMP items are never converted.</source>
        <translation>変換するアイテム。ドキュメントのセクション ItemN の番号 (0 から) をカンマ区切りで。既定ではすべてのアイテム。CMP アイテムは変換しません。</translation>
    </message>
    <message>
        <source>Checks the chart of FILE before it is written and prints one finding a line, &quot;SEVERITY CODE ITEM: message&quot;; exit 1 when any is an error.</source>
        <translation>書き込む前に FILE のチャートを検査し、指摘を一行に一つ &quot;SEVERITY CODE ITEM: message&quot; の形で表示します。エラーがあれば終了コードは 1 です。</translation>
    </message>
    <message>
        <source>The board whose options and motion table the chart is checked against; it is only read.</source>
        <translation>チャートの検査に使うオプションとモーションテーブルを持つボード。読み込むだけです。</translation>
    </message>
    <message>
        <source>The motion slot a write would go to (0 = M1): a motion longer than one slot must not run into a slot that holds a motion.</source>
        <translation>書き込み先のモーションスロット (0 = M1): 一つのスロットより長いモーションが、モーションの入ったスロットにはみ出してはいけません。</translation>
    </message>
    <message>
        <source>A backup file (qvx board backup) whose options the chart is checked against instead of a board&apos;s.</source>
        <translation>ボードの代わりに、そのオプションでチャートを検査するバックアップファイル (qvx board backup)。</translation>
    </message>
    <message>
        <source>A robot model (empty: the shipped one) with the settings file&apos;s channel mapping: joint limits, self-collision and stability of every POS pose and of the motion as played.</source>
        <translation>ロボットモデル (空なら同梱のもの) と設定ファイルのチャンネル対応: すべての POS ポーズと再生したモーションの関節の限界、自己干渉、安定を検査します。</translation>
    </message>
    <message>
        <source>The main window&apos;s board actions and board settings dialogs.</source>
        <translation>メインウィンドウのボード操作とボード設定のダイアログ。</translation>
    </message>
    <message>
        <source>The pose window&apos;s exchanges with the robot; a changed item is saved in place.</source>
        <translation>ポーズウィンドウとロボットのやり取り。変わったアイテムはその場で保存します。</translation>
    </message>
    <message>
        <source>Sends a remote command message to the running editor (numbers decimal or 0x hex).</source>
        <translation>実行中のエディタにリモートコマンドのメッセージを送ります (数は 10 進か 0x の 16 進)。</translation>
    </message>
    <message>
        <source>Runs a simulated QMX board behind a pseudo-terminal until it is stopped; SIGUSR1 switches it off and on, keeping its memory.</source>
        <translation>止めるまで疑似端末の向こうでシミュレータの QMX ボードを動かします。SIGUSR1 でメモリを保ったまま電源を入れ直します。</translation>
    </message>
    <message>
        <source>Where the link to the pseudo-terminal is made.</source>
        <translation>疑似端末へのリンクを作る場所。</translation>
    </message>
    <message>
        <source>Keep the board&apos;s stored memory in FILE across restarts; a damaged FILE is refused and left as it is.</source>
        <translation>ボードの保存メモリを再起動をまたいで FILE に保ちます。壊れた FILE は拒否し、そのまま残します。</translation>
    </message>
    <message>
        <source>Start with a new board&apos;s memory, which replaces FILE.</source>
        <translation>新品のボードのメモリで始め、FILE を置き換えます。</translation>
    </message>
    <message>
        <source>Hold the bytes to 115200 bit/s.</source>
        <translation>バイトを 115200 bit/s に合わせて送ります。</translation>
    </message>
    <message>
        <source>Lists the serial devices present, or those given, one a line: path, /dev/serial/by-id name, USB vendor:product, description, whether you may open it (yes/no); tab-separated, &quot;-&quot; for nothing.</source>
        <translation>あるシリアルデバイス、または指定したものを一行に一つ表示します: パス、/dev/serial/by-id の名前、USB vendor:product、説明、開けるかどうか (yes/no)。タブ区切りで、ないものは &quot;-&quot;。</translation>
    </message>
    <message>
        <source>Draws the robot in the pose of POS item N, or of a record on the board, to a PNG picture, without a window.</source>
        <translation>POS アイテム N、またはボード上のレコードのポーズでロボットを、ウィンドウなしで PNG 画像に描きます。</translation>
    </message>
    <message>
        <source>Record R (from 1, as the LIST page counts) of motion slot M (0 = M1), read from the board.</source>
        <translation>ボードから読み込む、モーションスロット M (0 = M1) のレコード R (LIST ページと同じく 1 から)。</translation>
    </message>
    <message>
        <source>The serial device of the board, for --record.</source>
        <translation>--record で使うボードのシリアルデバイス。</translation>
    </message>
    <message>
        <source>The picture made.</source>
        <translation>作る画像。</translation>
    </message>
    <message>
        <source>Its size in pixels (default 640x480).</source>
        <translation>画像の大きさ (ピクセル、既定は 640x480)。</translation>
    </message>
    <message>
        <source>front, side, top or iso (the default).</source>
        <translation>front、side、top、iso (既定) のどれか。</translation>
    </message>
    <message>
        <source>The robot model (default: the one installed with Quorvex). Channels drive its joints as section [RobotChannels] of the settings file says; without it CHn drives the model&apos;s n-th moving joint.</source>
        <translation>ロボットモデル (既定は Quorvex とともにインストールされたもの)。チャンネルは設定ファイルのセクション [RobotChannels] のとおりに関節を動かします。そのセクションがなければ CHn はモデルの n 番目の可動関節を動かします。</translation>
    </message>
    <message>
        <source>Plays the compiled motion of FILE on a simulated board&apos;s player, on a clock of its own, and prints the servo outputs every 10 ms of board time: a header line &quot;ms,CH1,...,CH24&quot;, then one line per sample: the time in ms and the 24 channels as the pose window shows them (the display rates of the settings file), comma-separated; a channel that holds no servo position (an output, FREE) is empty. A motion still playing at the limit is shown up to it, with a note on standard error.</source>
        <translation>FILE のコンパイルしたモーションをシミュレータのボードの再生機で独自の時計により再生し、ボード時間 10 ms ごとのサーボ出力を表示します: 見出し行 &quot;ms,CH1,...,CH24&quot; の後、サンプルごとに一行: ms 単位の時刻と、ポーズウィンドウの表示どおりの (設定ファイルの表示倍率による) 24 チャンネルをカンマ区切りで。サーボ位置を持たないチャンネル (出力、FREE) は空です。上限でまだ再生中のモーションは上限まで表示し、標準エラーに注記します。</translation>
    </message>
    <message>
        <source>The inputs the CMP branches test: button (0..0xFFFF), pa1..pa4 (0..255), ad1..ad3 (0..16383), cmp (the compare register, -1023..1023); 0x for hex. Unnamed ones keep the simulated board&apos;s starting values (all 0).</source>
        <translation>CMP 分岐が調べる入力: button (0..0xFFFF)、pa1..pa4 (0..255)、ad1..ad3 (0..16383)、cmp (比較レジスタ、-1023..1023)。16 進は 0x。指定しないものはシミュレータのボードの初期値 (すべて 0) のままです。</translation>
    </message>
    <message>
        <source>Write the lines to OUT instead of printing them.</source>
        <translation>行を表示せずに OUT に書き込みます。</translation>
    </message>
    <message>
        <source>Draw the chart of the Timeline page to OUT (1280x720) instead of printing the lines (--csv still writes them).</source>
        <translation>行を表示せずに、タイムラインページのグラフを OUT (1280x720) に描きます (--csv は行を書き込みます)。</translation>
    </message>
    <message>
        <source>Board time to play at most, 10..600000 (default 60000).</source>
        <translation>再生するボード時間の上限、10..600000 (既定は 60000)。</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>使い方:</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>バージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Log the frames on the serial link, the frames the simulated board takes and answers, and the files read and written, on standard error.</source>
        <translation>シリアルリンク上のフレーム、シミュレータのボードが受け取り答えるフレーム、読み書きしたファイルを標準エラーに記録します。</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>The Quorvex motion editor&apos;s tool for the terminal: documents, compiling, the board and its settings, the pose window&apos;s exchanges and a simulated board.</source>
        <translation>Quorvex モーションエディタの端末用ツール: ドキュメント、コンパイル、ボードとその設定、ポーズウィンドウのやり取り、シミュレータのボード。</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>コマンド:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; describes a command and its options.</source>
        <translation>&apos;%1&apos; でコマンドとそのオプションの説明を表示します。</translation>
    </message>
    <message>
        <source>Actions:</source>
        <translation>操作:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; describes an action and its options.</source>
        <translation>&apos;%1&apos; で操作とそのオプションの説明を表示します。</translation>
    </message>
    <message>
        <source>the default robot model %1 is not installed; name one with --model</source>
        <translation>既定のロボットモデル %1 がインストールされていません。--model で指定してください</translation>
    </message>
    <message>
        <source>the question was not answered Yes (--yes answers it)</source>
        <translation>質問に「はい」と答えていません (--yes で答えます)</translation>
    </message>
    <message>
        <source>qvx %1 failed: %2</source>
        <translation>qvx %1 に失敗しました: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a document that can be compiled</source>
        <translation>「%1」はコンパイルできるドキュメントではありません</translation>
    </message>
    <message>
        <source>The chart has no items to compile</source>
        <translation>チャートにコンパイルするアイテムがありません</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>there is no conversion pattern &quot;%1&quot; in %2 (it holds none)</source>
        <translation>%2 に変換パターン「%1」はありません (変換パターンが一つもありません)</translation>
    </message>
    <message>
        <source>there is no conversion pattern &quot;%1&quot; in %2 (its conversion patterns: &quot;%3&quot;)</source>
        <translation>%2 に変換パターン「%1」はありません (あるのは「%3」です)</translation>
    </message>
    <message>
        <source>conversion pattern %1; it cannot be used</source>
        <translation>変換パターン %1。使えません</translation>
    </message>
    <message>
        <source>%1 was not read completely; nothing was %2</source>
        <translation>%1 を完全には読み込めなかったため、何も%2していません</translation>
    </message>
    <message>
        <source>give one of --pattern and --entries</source>
        <translation>--pattern か --entries のどちらか一つを指定してください</translation>
    </message>
    <message>
        <source>--pattern needs a name</source>
        <translation>--pattern には名前が必要です</translation>
    </message>
    <message>
        <source>--entries holds %1 entries; %2 are needed, one per channel (empty for no entry)</source>
        <translation>--entries のエントリは %1 個です。チャンネルごとに一つ、%2 個必要です (エントリなしは空)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in --items is no item number</source>
        <translation>--items の「%1」はアイテム番号ではありません</translation>
    </message>
    <message>
        <source>converted</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>no item was converted</source>
        <translation>変換したアイテムはありません</translation>
    </message>
    <message>
        <source>converted items %1</source>
        <translation>アイテム %1 を変換しました</translation>
    </message>
    <message>
        <source>converted item %1</source>
        <translation>アイテム %1 を変換しました</translation>
    </message>
    <message>
        <source>%1 with conversion pattern &quot;%2&quot;</source>
        <translation>%1 (変換パターン「%2」)</translation>
    </message>
    <message>
        <source>CMP items %1 left unchanged</source>
        <translation>CMP アイテム %1 は変えていません</translation>
    </message>
    <message>
        <source>CMP item %1 left unchanged</source>
        <translation>CMP アイテム %1 は変えていません</translation>
    </message>
    <message>
        <source>no value changed</source>
        <translation>変わった値はありません</translation>
    </message>
    <message>
        <source>saved %1</source>
        <translation>%1 に保存しました</translation>
    </message>
    <message>
        <source>%1 is a pose table, not a QMX document; make a document of it first (qvx resave)</source>
        <translation>%1 はポーズテーブルで、QMX ドキュメントではありません。先にドキュメントにしてください (qvx resave)</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>%1 has no item %2 (its items are Item0 to Item%3)</source>
        <translation>%1 にアイテム %2 はありません (アイテムは Item0 から Item%3 まで)</translation>
    </message>
    <message>
        <source>%1 has no item %2 (it holds no items)</source>
        <translation>%1 にアイテム %2 はありません (アイテムが一つもありません)</translation>
    </message>
    <message>
        <source>%1: item %2 (&quot;%3&quot;) is a %4 item, not a POS item</source>
        <translation>%1: アイテム %2 (「%3」) は %4 アイテムで、POS アイテムではありません</translation>
    </message>
    <message>
        <source>--slot must be a scenario slot 0..%1, not %2</source>
        <translation>--slot はシナリオスロット 0..%1 で指定してください (%2 ではなく)</translation>
    </message>
    <message>
        <source>--slot must be a motion slot 0..%1, not %2</source>
        <translation>--slot はモーションスロット 0..%1 で指定してください (%2 ではなく)</translation>
    </message>
    <message>
        <source>--grid takes W,H or N, each from 2 to 1000</source>
        <translation>--grid は W,H または N で、それぞれ 2 から 1000 です</translation>
    </message>
    <message>
        <source>arranged</source>
        <translation>整列</translation>
    </message>
    <message>
        <source>%1; saved %2</source>
        <translation>%1。%2 に保存しました</translation>
    </message>
    <message>
        <source>a command is required</source>
        <translation>コマンドが必要です</translation>
    </message>
    <message>
        <source>no command %1</source>
        <translation>%1 というコマンドはありません</translation>
    </message>
    <message>
        <source>an action is required</source>
        <translation>操作が必要です</translation>
    </message>
    <message>
        <source>no action %1</source>
        <translation>%1 という操作はありません</translation>
    </message>
    <message>
        <source>%1 was not read completely; it is left as it is</source>
        <translation>%1 を完全には読み込めなかったため、そのままにしています</translation>
    </message>
    <message>
        <source>there is no link pattern &quot;%1&quot; in %2 (it holds none)</source>
        <translation>%2 にリンクパターン「%1」はありません (リンクパターンが一つもありません)</translation>
    </message>
    <message>
        <source>there is no link pattern &quot;%1&quot; in %2 (its link patterns: &quot;%3&quot;)</source>
        <translation>%2 にリンクパターン「%1」はありません (あるのは「%3」です)</translation>
    </message>
    <message>
        <source>--item needs FILE</source>
        <translation>--item には FILE が必要です</translation>
    </message>
    <message>
        <source>give one of --plus and --minus</source>
        <translation>--plus か --minus のどちらか一つを指定してください</translation>
    </message>
    <message>
        <source>the item number &quot;%1&quot; is not a number</source>
        <translation>アイテム番号「%1」は数ではありません</translation>
    </message>
    <message>
        <source>the changed item %1 could not be saved in %2</source>
        <translation>変わったアイテム %1 を %2 に保存できませんでした</translation>
    </message>
    <message>
        <source>; saved %1</source>
        <translation>。%1 に保存しました</translation>
    </message>
    <message>
        <source>qvx pose %1 failed</source>
        <translation>qvx pose %1 に失敗しました</translation>
    </message>
    <message>
        <source>(item %1 had changed%2)</source>
        <translation>(アイテム %1 は変わっていました%2)</translation>
    </message>
    <message>
        <source>item %1 (&quot;%2&quot;)</source>
        <translation>アイテム %1 (「%2」)</translation>
    </message>
    <message>
        <source>sent the pose of %1 to the robot</source>
        <translation>%1 のポーズをロボットに送りました</translation>
    </message>
    <message>
        <source>%1 took the live pose</source>
        <translation>%1 にロボットの現在のポーズを取り込みました</translation>
    </message>
    <message>
        <source>%1 already held the live pose</source>
        <translation>%1 はすでにロボットの現在のポーズでした</translation>
    </message>
    <message>
        <source>the robot went to its home position</source>
        <translation>ロボットがホームポジションに移りました</translation>
    </message>
    <message>
        <source>%1 took it at speed %2</source>
        <translation>%1 に速度 %2 で取り込みました</translation>
    </message>
    <message>
        <source>the pose of %1 is the board&apos;s home position now</source>
        <translation>%1 のポーズがボードのホームポジションになりました</translation>
    </message>
    <message>
        <source>%1 took the angles of %2</source>
        <translation>%1 に %2 の角度を取り込みました</translation>
    </message>
    <message>
        <source>released %1 of %2</source>
        <translation>%2 の %1 を脱力させました</translation>
    </message>
    <message>
        <source>link pattern &quot;%1&quot; marks no channel TCH; the pose was sent as shown</source>
        <translation>リンクパターン「%1」には TCH のチャンネルがありません。表示どおりのポーズを送りました</translation>
    </message>
    <message>
        <source>%1 took one link step forward</source>
        <translation>%1 をリンクで一歩進めました</translation>
    </message>
    <message>
        <source>%1 took one link step back</source>
        <translation>%1 をリンクで一歩戻しました</translation>
    </message>
    <message>
        <source>%1 was not changed by a link step forward</source>
        <translation>%1 はリンクで一歩進めても変わりませんでした</translation>
    </message>
    <message>
        <source>%1 was not changed by a link step back</source>
        <translation>%1 はリンクで一歩戻しても変わりませんでした</translation>
    </message>
    <message>
        <source>, sent to the robot</source>
        <translation>、ロボットに送りました</translation>
    </message>
    <message>
        <source>%1 has no item %2</source>
        <translation>%1 にアイテム %2 はありません</translation>
    </message>
    <message>
        <source>give FILE --item N or --record M:R --port PATH, not both</source>
        <translation>FILE --item N か --record M:R --port PATH のどちらか一方を指定してください</translation>
    </message>
    <message>
        <source>a document</source>
        <translation>ドキュメント</translation>
    </message>
    <message>
        <source>--record must be M:R, a motion slot 0..%1 and a record 1..%2, not %3</source>
        <translation>--record は M:R (モーションスロット 0..%1 とレコード 1..%2) で指定してください (%3 ではなく)</translation>
    </message>
    <message>
        <source>the size &quot;%1&quot; is not WIDTHxHEIGHT, each from %2 to %3</source>
        <translation>大きさ「%1」が WIDTHxHEIGHT (それぞれ %2 から %3) ではありません</translation>
    </message>
    <message>
        <source>the view &quot;%1&quot; is not front, side, top or iso</source>
        <translation>視点「%1」は front、side、top、iso のどれでもありません</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 drawn to %2</source>
        <translation>%1 を %2 に描きました</translation>
    </message>
    <message>
        <source>item %1</source>
        <translation>アイテム %1</translation>
    </message>
    <message>
        <source>--link needs a path</source>
        <translation>--link にはパスが必要です</translation>
    </message>
    <message>
        <source>--fresh needs --state FILE</source>
        <translation>--fresh には --state FILE が必要です</translation>
    </message>
    <message>
        <source>Give --fresh to start with a new board&apos;s memory, which then replaces %1.</source>
        <translation>新品のボードのメモリで始めるには --fresh を指定してください。%1 は置き換えられます。</translation>
    </message>
    <message>
        <source>simulated board on %1 linked at %2</source>
        <translation>シミュレータのボードは %1 にあり、%2 にリンクしました</translation>
    </message>
    <message>
        <source>--limit must be a number of ms from %1 to %2</source>
        <translation>--limit は %1 から %2 までの ms の数で指定してください</translation>
    </message>
    <message>
        <source>%1 is a scenario chart; a timeline shows a motion chart</source>
        <translation>%1 はシナリオのチャートです。タイムラインはモーションのチャートを表示します</translation>
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
    <name>qvx::MotionDataDialog</name>
    <message>
        <source>Data</source>
        <translation>データ</translation>
    </message>
    <message>
        <source>Data name</source>
        <translation>データ名</translation>
    </message>
    <message>
        <source>Control input</source>
        <translation>制御入力</translation>
    </message>
    <message>
        <source>Available port</source>
        <translation>使用ポート</translation>
    </message>
    <message>
        <source>Reception</source>
        <translation>受信</translation>
    </message>
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
    <name>qvx::MotionTable</name>
    <message>
        <source>The robot could not be put to sleep</source>
        <translation>ロボットをスリープにできませんでした</translation>
    </message>
    <message>
        <source>Reading the table entry of %1 failed</source>
        <translation>%1 のテーブルエントリの読み出しに失敗しました</translation>
    </message>
    <message>
        <source>The table was read, but the robot could not be woken</source>
        <translation>テーブルは読み出しましたが、ロボットを起こせませんでした</translation>
    </message>
</context>
<context>
    <name>qvx::MotionTableWindow</name>
    <message>
        <source>DataTable</source>
        <translation>データテーブル</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Read the table from the board</source>
        <translation>ボードからテーブルを読み込みます</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>数</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>制御</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(未読込)</translation>
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
    <name>qvx::PortBox</name>
    <message>
        <source>not present</source>
        <translation>接続されていません</translation>
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
    <name>qvx::RobotPreviewWindow</name>
    <message>
        <source>Robot</source>
        <translation>ロボット</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>正面</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>側面</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上面</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Follow:</source>
        <translation>追従:</translation>
    </message>
    <message>
        <source>Pose window</source>
        <translation>ポーズウィンドウ</translation>
    </message>
    <message>
        <source>Simulated board</source>
        <translation>シミュレーションボード</translation>
    </message>
    <message>
        <source>Real board</source>
        <translation>実機のボード</translation>
    </message>
    <message>
        <source>Channels...</source>
        <translation>チャンネル...</translation>
    </message>
    <message>
        <source>The channel mapping could not be written to %1</source>
        <translation>チャンネルの割り当てを %1 に書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>qvx::SerialTransport</name>
    <message>
        <source>already open</source>
        <translation>すでに開いています</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 is a directory, not a serial device</source>
        <translation>%1 はディレクトリで、シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>%1 is a regular file, not a serial device</source>
        <translation>%1 は通常のファイルで、シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>%1 is not a serial device</source>
        <translation>%1 はシリアルデバイスではありません</translation>
    </message>
    <message>
        <source>%1 cannot be opened: permission denied (your user needs read and write access to the device; on Debian, membership of the dialout group)</source>
        <translation>%1 を開けません: アクセスが拒否されました (デバイスの読み書きの権限が要ります。Debian では dialout グループに入っていること)</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a serial device</source>
        <translation>%1 をシリアルデバイスとして開けません</translation>
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
    <name>qvx::TimelinePage</name>
    <message>
        <source>Buttons</source>
        <translation>ボタン</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比較</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Compile a motion chart to see its timeline.</source>
        <translation>モーションチャートをコンパイルするとタイムラインを表示します。</translation>
    </message>
    <message>
        <source>The motion ends after %1 ms of board time.</source>
        <translation>モーションはボード時間 %1 ms で終わります。</translation>
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
