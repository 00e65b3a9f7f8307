#pragma once

class QWidget;

namespace tivora::publish {

class TfrmPublish;

// The six pages of the publish wizard, built into the window's controls in page order.
QWidget* buildProjectPage(TfrmPublish& form);
QWidget* buildExportPage(TfrmPublish& form);
QWidget* buildFilesPage(TfrmPublish& form);
QWidget* buildOptionsPage(TfrmPublish& form);
QWidget* buildReviewPage(TfrmPublish& form);
QWidget* buildResultPage(TfrmPublish& form);

} // namespace tivora::publish
