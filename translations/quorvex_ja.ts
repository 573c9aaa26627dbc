<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
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
    <name>PortSession</name>
    <message>
        <source>SIM does not exist: %1</source>
        <translation>SIM がありません: %1</translation>
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
    <name>qvx::PortBox</name>
    <message>
        <source>not present</source>
        <translation>接続されていません</translation>
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
</TS>
