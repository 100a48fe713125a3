// The PowerPoint 2003 and Office constants, with PowerPoint's values, as ppt::msoTrue, ppt::ppViewNormal …
// Each enumeration is listed once, in the table below; the same table gives the named constants of
// scenarios their values (ConstantValue).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// X(name, value) for every constant, grouped by PowerPoint's enumeration.
#define K60418_PPT_CONSTANTS(X)                                      \
  /* MsoTriState: the Boolean-like values of the object model */     \
  X(msoTrue, -1)                                                     \
  X(msoFalse, 0)                                                     \
  X(msoCTrue, 1)                                                     \
  X(msoTriStateMixed, -2)                                            \
  X(msoTriStateToggle, -3)                                           \
  /* PpSlideLayout */                                                \
  X(ppLayoutMixed, -2)                                               \
  X(ppLayoutTitle, 1)                                                \
  X(ppLayoutText, 2)                                                 \
  X(ppLayoutTwoColumnText, 3)                                        \
  X(ppLayoutTable, 4)                                                \
  X(ppLayoutTextAndChart, 5)                                         \
  X(ppLayoutChartAndText, 6)                                         \
  X(ppLayoutOrgchart, 7)                                             \
  X(ppLayoutChart, 8)                                                \
  X(ppLayoutTextAndClipart, 9)                                       \
  X(ppLayoutClipartAndText, 10)                                      \
  X(ppLayoutTitleOnly, 11)                                           \
  X(ppLayoutBlank, 12)                                               \
  X(ppLayoutTextAndObject, 13)                                       \
  X(ppLayoutObjectAndText, 14)                                       \
  X(ppLayoutLargeObject, 15)                                         \
  X(ppLayoutObject, 16)                                              \
  X(ppLayoutTextAndMediaClip, 17)                                    \
  X(ppLayoutMediaClipAndText, 18)                                    \
  X(ppLayoutObjectOverText, 19)                                      \
  X(ppLayoutTextOverObject, 20)                                      \
  X(ppLayoutTextAndTwoObjects, 21)                                   \
  X(ppLayoutTwoObjectsAndText, 22)                                   \
  X(ppLayoutTwoObjectsOverText, 23)                                  \
  X(ppLayoutFourObjects, 24)                                         \
  X(ppLayoutVerticalText, 25)                                        \
  X(ppLayoutClipArtAndVerticalText, 26)                              \
  X(ppLayoutVerticalTitleAndText, 27)                                \
  X(ppLayoutVerticalTitleAndTextOverChart, 28)                       \
  X(ppLayoutTwoObjects, 29)                                          \
  X(ppLayoutObjectAndTwoObjects, 30)                                 \
  X(ppLayoutTwoObjectsAndObject, 31)                                 \
  /* PpParagraphAlignment */                                         \
  X(ppAlignmentMixed, -2)                                            \
  X(ppAlignLeft, 1)                                                  \
  X(ppAlignCenter, 2)                                                \
  X(ppAlignRight, 3)                                                 \
  X(ppAlignJustify, 4)                                               \
  X(ppAlignDistribute, 5)                                            \
  X(ppAlignThaiDistribute, 6)                                        \
  X(ppAlignJustifyLow, 7)                                            \
  /* PpBulletType */                                                 \
  X(ppBulletMixed, -2)                                               \
  X(ppBulletNone, 0)                                                 \
  X(ppBulletUnnumbered, 1)                                           \
  X(ppBulletNumbered, 2)                                             \
  X(ppBulletPicture, 3)                                              \
  /* PpTextStyleType: the text styles of a master */                 \
  X(ppDefaultStyle, 1)                                               \
  X(ppTitleStyle, 2)                                                 \
  X(ppBodyStyle, 3)                                                  \
  /* PpTabStopType */                                                \
  X(ppTabStopMixed, -2)                                              \
  X(ppTabStopLeft, 1)                                                \
  X(ppTabStopCenter, 2)                                              \
  X(ppTabStopRight, 3)                                               \
  X(ppTabStopDecimal, 4)                                             \
  /* PpViewType */                                                   \
  X(ppViewMixed, -2)                                                 \
  X(ppViewSlide, 1)                                                  \
  X(ppViewSlideMaster, 2)                                            \
  X(ppViewNotesPage, 3)                                              \
  X(ppViewHandoutMaster, 4)                                          \
  X(ppViewNotesMaster, 5)                                            \
  X(ppViewOutline, 6)                                                \
  X(ppViewSlideSorter, 7)                                            \
  X(ppViewTitleMaster, 8)                                            \
  X(ppViewNormal, 9)                                                 \
  X(ppViewPrintPreview, 10)                                          \
  X(ppViewThumbnails, 11)                                            \
  X(ppViewMasterThumbnails, 12)                                      \
  /* PpWindowState */                                                \
  X(ppWindowNormal, 1)                                               \
  X(ppWindowMinimized, 2)                                            \
  X(ppWindowMaximized, 3)                                            \
  /* PpPrintRangeType */                                             \
  X(ppPrintAll, 1)                                                   \
  X(ppPrintSelection, 2)                                             \
  X(ppPrintCurrent, 3)                                               \
  X(ppPrintSlideRange, 4)                                            \
  X(ppPrintNamedSlideShow, 5)                                        \
  /* PpPrintOutputType */                                            \
  X(ppPrintOutputSlides, 1)                                          \
  X(ppPrintOutputTwoSlideHandouts, 2)                                \
  X(ppPrintOutputThreeSlideHandouts, 3)                              \
  X(ppPrintOutputSixSlideHandouts, 4)                                \
  X(ppPrintOutputNotesPages, 5)                                      \
  X(ppPrintOutputOutline, 6)                                         \
  X(ppPrintOutputBuildSlides, 7)                                     \
  X(ppPrintOutputFourSlideHandouts, 8)                               \
  X(ppPrintOutputNineSlideHandouts, 9)                               \
  X(ppPrintOutputOneSlideHandouts, 10)                               \
  /* MsoOrientation */                                               \
  X(msoOrientationMixed, -2)                                         \
  X(msoOrientationHorizontal, 1)                                     \
  X(msoOrientationVertical, 2)                                       \
  /* MsoFillType */                                                  \
  X(msoFillMixed, -2)                                                \
  X(msoFillSolid, 1)                                                 \
  X(msoFillPatterned, 2)                                             \
  X(msoFillGradient, 3)                                              \
  X(msoFillTextured, 4)                                              \
  X(msoFillBackground, 5)                                            \
  X(msoFillPicture, 6)                                               \
  /* MsoPresetTexture */                                             \
  X(msoPresetTextureMixed, -2)                                       \
  X(msoTexturePapyrus, 1)                                            \
  X(msoTextureCanvas, 2)                                             \
  X(msoTextureDenim, 3)                                              \
  X(msoTextureWovenMat, 4)                                           \
  X(msoTextureWaterDroplets, 5)                                      \
  X(msoTexturePaperBag, 6)                                           \
  X(msoTextureFishFossil, 7)                                         \
  X(msoTextureSand, 8)                                               \
  X(msoTextureGreenMarble, 9)                                        \
  X(msoTextureWhiteMarble, 10)                                       \
  X(msoTextureBrownMarble, 11)                                       \
  X(msoTextureGranite, 12)                                           \
  X(msoTextureNewsprint, 13)                                         \
  X(msoTextureRecycledPaper, 14)                                     \
  X(msoTextureParchment, 15)                                         \
  X(msoTextureStationery, 16)                                        \
  X(msoTextureBlueTissuePaper, 17)                                   \
  X(msoTexturePinkTissuePaper, 18)                                   \
  X(msoTexturePurpleMesh, 19)                                        \
  X(msoTextureBouquet, 20)                                           \
  X(msoTextureCork, 21)                                              \
  X(msoTextureWalnut, 22)                                            \
  X(msoTextureOak, 23)                                               \
  X(msoTextureMediumWood, 24)                                        \
  /* MsoBarPosition */                                               \
  X(msoBarLeft, 0)                                                   \
  X(msoBarTop, 1)                                                    \
  X(msoBarRight, 2)                                                  \
  X(msoBarBottom, 3)                                                 \
  X(msoBarFloating, 4)                                               \
  X(msoBarPopup, 5)                                                  \
  X(msoBarMenuBar, 6)                                                \
  /* MsoButtonState */                                               \
  X(msoButtonUp, 0)                                                  \
  X(msoButtonDown, -1)                                               \
  X(msoButtonMixed, 2)                                               \
  /* PpSaveAsFileType */                                             \
  X(ppSaveAsPresentation, 1)                                         \
  X(ppSaveAsPowerPoint7, 2)                                          \
  X(ppSaveAsPowerPoint4, 3)                                          \
  X(ppSaveAsPowerPoint3, 4)                                          \
  X(ppSaveAsTemplate, 5)                                             \
  X(ppSaveAsRTF, 6)                                                  \
  X(ppSaveAsShow, 7)                                                 \
  X(ppSaveAsAddIn, 8)                                                \
  X(ppSaveAsPowerPoint4FarEast, 10)                                  \
  X(ppSaveAsDefault, 11)                                             \
  X(ppSaveAsHTML, 12)                                                \
  X(ppSaveAsHTMLv3, 13)                                              \
  X(ppSaveAsHTMLDual, 14)                                            \
  X(ppSaveAsMetaFile, 15)                                            \
  X(ppSaveAsGIF, 16)                                                 \
  X(ppSaveAsJPG, 17)                                                 \
  X(ppSaveAsPNG, 18)                                                 \
  X(ppSaveAsBMP, 19)                                                 \
  X(ppSaveAsWebArchive, 20)                                          \
  X(ppSaveAsTIF, 21)                                                 \
  X(ppSaveAsPresForReview, 22)                                       \
  X(ppSaveAsEMF, 23)                                                 \
  /* PpSlideSizeType */                                              \
  X(ppSlideSizeOnScreen, 1)                                          \
  X(ppSlideSizeLetterPaper, 2)                                       \
  X(ppSlideSizeA4Paper, 3)                                           \
  X(ppSlideSize35MM, 4)                                              \
  X(ppSlideSizeOverhead, 5)                                          \
  X(ppSlideSizeBanner, 6)                                            \
  X(ppSlideSizeCustom, 7)                                            \
  X(ppSlideSizeLedgerPaper, 8)                                       \
  X(ppSlideSizeA3Paper, 9)                                           \
  X(ppSlideSizeB4ISOPaper, 10)                                       \
  X(ppSlideSizeB5ISOPaper, 11)                                       \
  X(ppSlideSizeB4JISPaper, 12)                                       \
  X(ppSlideSizeB5JISPaper, 13)                                       \
  X(ppSlideSizeHagakiCard, 14)                                       \
  /* PpColorSchemeIndex: the eight colours of a colour scheme */     \
  X(ppSchemeColorMixed, -2)                                          \
  X(ppNotSchemeColor, 0)                                             \
  X(ppBackground, 1)                                                 \
  X(ppForeground, 2)                                                 \
  X(ppShadow, 3)                                                     \
  X(ppTitle, 4)                                                      \
  X(ppFill, 5)                                                       \
  X(ppAccent1, 6)                                                    \
  X(ppAccent2, 7)                                                    \
  X(ppAccent3, 8)                                                    \
  /* PpPlaceholderType */                                            \
  X(ppPlaceholderMixed, -2)                                          \
  X(ppPlaceholderTitle, 1)                                           \
  X(ppPlaceholderBody, 2)                                            \
  X(ppPlaceholderCenterTitle, 3)                                     \
  X(ppPlaceholderSubtitle, 4)                                        \
  X(ppPlaceholderVerticalTitle, 5)                                   \
  X(ppPlaceholderVerticalBody, 6)                                    \
  X(ppPlaceholderObject, 7)                                          \
  X(ppPlaceholderChart, 8)                                           \
  X(ppPlaceholderBitmap, 9)                                          \
  X(ppPlaceholderMediaClip, 10)                                      \
  X(ppPlaceholderOrgChart, 11)                                       \
  X(ppPlaceholderTable, 12)                                          \
  X(ppPlaceholderSlideNumber, 13)                                    \
  X(ppPlaceholderHeader, 14)                                         \
  X(ppPlaceholderFooter, 15)                                         \
  X(ppPlaceholderDate, 16)                                           \
  X(ppPlaceholderVerticalObject, 17)                                 \
  X(ppPlaceholderPicture, 18)                                        \
  /* MsoShapeType */                                                 \
  X(msoShapeTypeMixed, -2)                                           \
  X(msoAutoShape, 1)                                                 \
  X(msoCallout, 2)                                                   \
  X(msoChart, 3)                                                     \
  X(msoComment, 4)                                                   \
  X(msoFreeform, 5)                                                  \
  X(msoGroup, 6)                                                     \
  X(msoEmbeddedOLEObject, 7)                                         \
  X(msoFormControl, 8)                                               \
  X(msoLine, 9)                                                      \
  X(msoLinkedOLEObject, 10)                                          \
  X(msoLinkedPicture, 11)                                            \
  X(msoOLEControlObject, 12)                                         \
  X(msoPicture, 13)                                                  \
  X(msoPlaceholder, 14)                                              \
  X(msoTextEffect, 15)                                               \
  X(msoMedia, 16)                                                    \
  X(msoTextBox, 17)                                                  \
  X(msoScriptAnchor, 18)                                             \
  X(msoTable, 19)                                                    \
  X(msoCanvas, 20)                                                   \
  X(msoDiagram, 21)                                                  \
  X(msoInk, 22)                                                      \
  X(msoInkComment, 23)                                               \
  /* MsoAutoShapeType: the shapes the course's presentations hold */ \
  X(msoShapeMixed, -2)                                               \
  X(msoShapeRectangle, 1)                                            \
  X(msoShapeRoundedRectangle, 5)                                     \
  X(msoShapeOval, 9)                                                 \
  X(msoShapeNotPrimitive, 138)

namespace ppt {

#define K60418_PPT_DECLARE_CONSTANT(name, value) inline constexpr std::int32_t name = value;
K60418_PPT_CONSTANTS(K60418_PPT_DECLARE_CONSTANT)
#undef K60418_PPT_DECLARE_CONSTANT

/// The value of a PowerPoint or Office constant by its name, compared without case as VBA does
/// ("ppViewNormal", "MSOTRUE"); nullopt for a name that is not one of the constants above.
std::optional<std::int32_t> ConstantValue(std::string_view name);

}  // namespace ppt
