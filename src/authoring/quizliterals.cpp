#include "authoring/quizliterals.h"

#include <initializer_list>

namespace sorvek::quizliterals {
namespace {

QString lines(std::initializer_list<const char16_t *> list)
{
    QString text;
    for (const char16_t *line : list)
        text += QString::fromUtf16(line) + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString scriptOpen()
{
    return lines({u"<SCRIPT language=\"JavaScript\">", u"<!--"});
}

// Kselect counts a control as right when "/" value "/" occurs in "/" name "/"; the command lists
// move the page counter, show a note and add the result to the history file.
QString quizScript()
{
    return lines({
        u"function Kselect(){",
        u"var x=0;//誤答数 ",
        u"  for( i=0;i<kazu;i++)",
        u"  { ",
        u"    str=\"/\"+myForm.elements[i].name+\"/\";",
        u"    str1=\"/\"+myForm.elements[i].value+\"/\";",
        u"    if (str.indexOf(str1,0)==-1)",
        u"    { ",
        u"     //alert(myForm.elements[i].name);",
        u"     x++;",
        u"    }",
        u"  }",
        u"  if (x>0)",
        u"  { ",
        u"  location.href=\"/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1\";",
        u"  }",
        u"  else{",
        u"  location.href=\"/$+1,$_【○】,$HISJS sDAT[1]=+1\";",
        u"  }",
        u"} ",
        u"function Kkotae(){",
        u"  for( i=0;i<kazu;i++)",
        u"  { ",
        u"  myForm.elements[i].value=myForm.elements[i].name;",
        u"  } ",
        u"}",
        u"//--> ",
        u"</SCRIPT>",
    });
}

QString answerButtons()
{
    return lines({
        u"<CENTER>",
        u"<INPUT type=\"reset\" value=\"□取消\" style=\"background-color:#FFFF88;color:#000000\">",
        u"<INPUT type=\"button\" onclick=Kselect() name=\"■決定\"",
        u"value=\"■決定\" style=\"background-color:#ccccFF;color:#000000\">",
        u"<INPUT type=\"button\" onclick=Kkotae() name=\"答えを見る\"",
        u"value=\"答えを見る\" style=\"background-color:#FFcccc;color:#000000\"> ",
        u"</CENTER>",
    });
}

QString rightNote()
{
    return lines({
        u"<P>【○】</P>",
        u"<P>\u3000\u3000\u3000正解です。</P>",
        u"<CENTER><INPUT type=\"button\" onclick=location.href=\"/$NEXT\" name=\"KR次\" value=\"次へ進む\"></CENTER> ",
    });
}

QString againNote()
{
    return lines({
        u"<P>【△】</P>",
        u"<P>\u3000\u3000違います。もう一度考えましょう。</P>",
        u"<CENTER><INPUT type=\"button\" onclick=location.href=\"/$\" name=\"KR再度\" value=\"もう一度\"></CENTER>",
    });
}

QString backNote()
{
    return lines({
        u"<P>【×】</P>",
        u"<P>\u3000\u3000違います。前に戻って\uFF0Cやりなおしましょう。</P>",
        u"<CENTER><INPUT type=\"button\" onclick=location.href=\"/$BACK\" name=\"KR前\" value=\"前に戻る\"></CENTER>",
    });
}

QString jumpScript()
{
    return lines({
        u"<SCRIPT language=\"JavaScript\"> ",
        u"<!-- ",
        u"function JumpURL(url)",
        u"{",
        u"  if (url != '')",
        u"  {",
        u"   location.href = url;",
        u"  }",
        u"}",
        u"//-->",
        u"</SCRIPT>",
    });
}

QString nextForm()
{
    return lines({
        u"<FORM>",
        u"<CENTER><INPUT type=\"button\" onclick=\"JumpURL('/$NEXT');\" name=\"Button次\" value=\"ここをクリックして次に進む\"></CENTER> ",
        u"</FORM>",
    });
}

} // namespace sorvek::quizliterals
