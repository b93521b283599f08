// Every text of the page's own, in the page's language: the controls of the
// window's layout, the picture's menu, the dialogs and the notes. The
// contexts are the window's where the window shows the same text (Form1,
// PictureBox, MessageBox, Messages), so that one translation serves both;
// the page's alone are in Page. scripts/update-translations.sh gathers them
// from this file, which is therefore written in the plain JavaScript that
// lupdate reads (no other module of the page marks a text).

import { qsTranslate } from "./i18n.js";

export const kTexts = Object.freeze({
  windowTitle: qsTranslate("Form1", "电场线的描绘"),
  pictureName: qsTranslate("PictureBox", "电场线图"),
  fileName: qsTranslate("Form1", "电场线"),
  svgTitle: qsTranslate("PictureWriter", "电场线的描绘"),
  ok: qsTranslate("MessageBox", "确定"),
  cancel: qsTranslate("Messages", "取消"),

  menuButton: qsTranslate("Page", "图片的菜单"),
  save: qsTranslate("Form1", "保存图片…"),
  print: qsTranslate("Form1", "打印…"),
  presets: qsTranslate("Form1", "典型电荷分布"),
  accurate: qsTranslate("Form1", "按电荷量画线（精确）"),
  addPositive: qsTranslate("Form1", "添加正电荷"),
  addNegative: qsTranslate("Form1", "添加负电荷"),
  removeCharge: qsTranslate("Form1", "删除此电荷"),
  changeCharge: qsTranslate("Form1", "修改此电荷…"),
  chargeList: qsTranslate("Form1", "电荷列表…"),
  releasePositive: qsTranslate("Form1", "释放试探电荷（正）"),
  releaseNegative: qsTranslate("Form1", "释放试探电荷（负）"),
  releaseLines: qsTranslate("Form1", "显示出发点的电场线"),
  clearPaths: qsTranslate("Form1", "清除轨迹"),

  saveTitle: qsTranslate("Messages", "保存图片"),
  saveAs: qsTranslate("Page", "保存为："),
  notSaved: qsTranslate("Messages", "图片没有保存。"),

  changeTitle: qsTranslate("Page", "修改电荷 Q%1"),
  listTitle: qsTranslate("Page", "电荷列表"),
  listCharge: qsTranslate("Page", "电荷"),
  listAmount: qsTranslate("Page", "电荷量 (C)"),
  listAdd: qsTranslate("Page", "添加电荷"),
  listRemove: qsTranslate("Page", "删除"),
  listRemoveName: qsTranslate("Page", "删除电荷 Q%1"),
  fieldName: qsTranslate("Page", "Q%1 的 %2"),

  described: qsTranslate("Page", "%1。%2"),
  nothingDrawn: qsTranslate("Page", "还没有画图。"),
  switchedOn: qsTranslate("Page", "已打开：%1。"),
  listSeparator: qsTranslate("Page", "、"),
  selected: qsTranslate("Page", "已选中 Q%1，方向键移动它，Page Up 和 Page Down 选择别的电荷。"),

  ended: qsTranslate("Page", "程序已结束。浏览器不允许网页关闭这个标签页，请自行关闭它；重新载入本页可以再次使用。"),
  linkIgnored: qsTranslate("Page", "链接中的参数 %1 无法识别，已忽略。"),
  notLoaded: qsTranslate("Page", "无法载入绘图程序：%1"),
});

// The texts of the window's controls, by element id: its text, or the
// attribute named third.
export const kControlTexts = Object.freeze([
  ["Label1", qsTranslate("Form1", "电场线的描绘", "title above the picture")],
  ["Picture1", qsTranslate("PictureBox", "电场线图"), "aria-label"],
  ["Frame1Caption", qsTranslate("Form1", "参数设置")],
  ["Option1Text", qsTranslate("Form1", "单个点电荷")],
  ["Option2Text", qsTranslate("Form1", "两个点电荷")],
  ["Label5", qsTranslate("Form1", "位置坐标：")],
  ["Label8", qsTranslate("Form1", "电荷量：")],
  ["Label14", qsTranslate("Form1", "位置坐标：")],
  ["Label10", qsTranslate("Form1", "电荷量：")],
  ["Text1", qsTranslate("Form1", "电荷1 x坐标"), "aria-label"],
  ["Text2", qsTranslate("Form1", "电荷1 y坐标"), "aria-label"],
  ["Text3", qsTranslate("Form1", "电荷1 电荷量"), "aria-label"],
  ["Text4", qsTranslate("Form1", "电荷2 x坐标"), "aria-label"],
  ["Text5", qsTranslate("Form1", "电荷2 y坐标"), "aria-label"],
  ["Text6", qsTranslate("Form1", "电荷2 电荷量"), "aria-label"],
  ["Command1", qsTranslate("Form1", "激　发")],
  ["Command2", qsTranslate("Form1", "关闭窗口")],
  ["menuButton", qsTranslate("Page", "图片的菜单"), "aria-label"],
  ["menuButton", qsTranslate("Page", "图片的菜单"), "title"],
  ["messageOk", qsTranslate("MessageBox", "确定")],
  ["saveTitle", qsTranslate("Messages", "保存图片")],
  ["saveAs", qsTranslate("Page", "保存为：")],
  ["saveCancel", qsTranslate("Messages", "取消")],
  ["chargeOk", qsTranslate("MessageBox", "确定")],
  ["chargeCancel", qsTranslate("Messages", "取消")],
  ["chargeXLabel", "x"],
  ["chargeYLabel", "y"],
  ["chargeQLabel", qsTranslate("Form1", "电荷量：")],
  ["listTitle", qsTranslate("Page", "电荷列表")],
  ["listCharge", qsTranslate("Page", "电荷")],
  ["listAmount", qsTranslate("Page", "电荷量 (C)")],
  ["listAdd", qsTranslate("Page", "添加电荷")],
  ["listOk", qsTranslate("MessageBox", "确定")],
  ["listCancel", qsTranslate("Messages", "取消")],
]);

// Puts the texts into the page and names its language.
export function applyControlTexts(language) {
  document.documentElement.lang = language === "en" ? "en" : "zh-CN";
  document.title = kTexts.windowTitle;
  for (const [id, text, attribute] of kControlTexts) {
    const element = document.getElementById(id);
    if (!element) throw new Error(`no element #${id} for its text`);
    if (attribute) element.setAttribute(attribute, text);
    else element.textContent = text;
  }
}
