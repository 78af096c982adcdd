#pragma once

#include <QObject>

// Behaviour of the live main window on a real Qt event loop. The test bodies live in the
// .cpp file, where moc need not read them.
class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();

  void ControlsMatchForm_data();
  void ControlsMatchForm();
  void WindowShowsCentredAtFormOuterSize();
  void WindowCreatedSeedsAndHidesLabelOverTabs();
  void TabOrderFollowsFormAndWraps();
  void FocusReturnsAfterReactivation();
  void KeysTriggerNoWindowAction_data();
  void KeysTriggerNoWindowAction();

  void DrawWithoutEffectFillsRecordAndCaption();
  void RestartClearsRecordAndCaptionOnly();
  void DrawKeepsForeignCharactersAndCaret();
  void DrawWithEffectRollsShowsRedResultAndHides();
  void CloseDuringEffectEndsBatchQuietly();

  void DelayWithEventsLastsItsLength_data();
  void DelayWithEventsLastsItsLength();
  void QuitDuringPauseReachesMainLoop();
  void LabelRectWritesAreClamped_data();
  void LabelRectWritesAreClamped();

  void ResultsBoxWriteKeepsCaret_data();
  void ResultsBoxWriteKeepsCaret();
  void ResultsBoxWriteKeepsScroll_data();
  void ResultsBoxWriteKeepsScroll();
  void ResultsBoxInputStaysWithinLimit_data();
  void ResultsBoxInputStaysWithinLimit();
};
